#include "copp/clock_release_wake.h"

#include <climits>
#include <wrl/client.h>

#include "handles/export_lookup.h"

using Microsoft::WRL::ComPtr;

namespace {

// Short enough that a release never notices it; the advise's own cost is
// one semaphore release per period while the graph closes.
constexpr REFERENCE_TIME kWakePeriod = 10 * 10000;  // 10 ms in 100 ns units

bool RunningUnderWine() {
  return LookUpExport<const char*(CDECL*)()>(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

}  // namespace

ClockReleaseWake::ClockReleaseWake(IGraphBuilder* graph) {
  if (!graph || !RunningUnderWine()) return;
  ComPtr<IMediaFilter> filter;
  ComPtr<IReferenceClock> clock;
  if (FAILED(graph->QueryInterface(IID_PPV_ARGS(&filter))) || FAILED(filter->GetSyncSource(&clock)) || !clock) {
    return;
  }
  REFERENCE_TIME now = 0;
  if (FAILED(clock->GetTime(&now))) return;
  semaphore_.reset(CreateSemaphoreW(nullptr, 0, LONG_MAX, nullptr));
  if (!semaphore_) return;
  // The clock frees its advises itself when it goes, so no cookie is kept.
  DWORD_PTR cookie = 0;
  clock->AdvisePeriodic(now + kWakePeriod, kWakePeriod, reinterpret_cast<HSEMAPHORE>(semaphore_.get()), &cookie);
}
