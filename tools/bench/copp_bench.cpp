#include <windows.h>

#include <cstdio>
#include <vector>

#include "copp/copp_queries.h"
#include "copp/copp_session.h"
#include "simdriver/sim_renderer.h"
#include "tools/bench/bench_timing.h"
#include "trace/judge_log.h"

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  SetJudgeTraceSink([](const char*) {});  // value lines would swamp the figures
  SimCoppRenderer* renderer = CreateSimCoppRenderer();
  if (!renderer || !renderer->Driver().Ready()) return 1;
  const int kRuns = 41;
  std::vector<double> starts, requests;
  for (int i = 0; i < kRuns; ++i) {
    const double t0 = NowMs();
    const CoppResult r = CoppOpenSession(AsRendererFilter(renderer));
    const double t1 = NowMs();
    if (r != kCoppOk) return 2;
    starts.push_back(t1 - t0);
    for (int j = 0; j < 10; ++j) {
      uint32_t value = 0, flags = 0;
      const double q0 = NowMs();
      if (CoppGetBusType(&value, &flags) != kCoppOk) return 3;
      requests.push_back(NowMs() - q0);
    }
    CoppCloseSession();
  }
  printf("session start: median %.3f ms over %d runs\n", Median(starts), kRuns);
  printf("status request: median %.3f ms over %zu requests\n", Median(requests), requests.size());
  renderer->Release();
  CoUninitialize();
  return 0;
}
