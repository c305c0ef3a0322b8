#include "probe/wmi_bounded.h"

#include <objbase.h>

#include <memory>
#include <utility>

#include "handles/owner.h"
#include "probe/wmi_session.h"

namespace {

struct BoundedCall {
  std::function<bool(HANDLE)> body;
  OwnedHandle progress;
  // Written by the worker before it ends; read only once its thread ended.
  bool answered = false;
};

// The one worker that missed its bound and is still running, if any.
SRWLOCK g_stuckLock = SRWLOCK_INIT;
std::shared_ptr<BoundedCall> g_stuckCall;
OwnedHandle g_stuckThread;

DWORD WINAPI WorkerMain(void* parameter) {
  // The worker owns a share of the call, so a caller that gave up on it
  // takes nothing away from under it.
  const std::unique_ptr<std::shared_ptr<BoundedCall>> owned(
      static_cast<std::shared_ptr<BoundedCall>*>(parameter));
  BoundedCall& call = **owned;
  const HRESULT apartment = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (FAILED(apartment)) return 0;
  call.answered = call.body(call.progress.get());
  CoUninitialize();
  return 0;
}

// False while the worker left behind earlier has not ended.
bool NoWorkerStuck() {
  AcquireSRWLockExclusive(&g_stuckLock);
  if (g_stuckThread && WaitForSingleObject(g_stuckThread.get(), 0) == WAIT_OBJECT_0) {
    g_stuckThread.reset();
    g_stuckCall.reset();
  }
  const bool none = !g_stuckThread;
  ReleaseSRWLockExclusive(&g_stuckLock);
  return none;
}

void LeaveBehind(std::shared_ptr<BoundedCall> call, OwnedHandle thread) {
  AcquireSRWLockExclusive(&g_stuckLock);
  // A second caller on another thread may have left one too; the newer one
  // is as good a sign that WMI is stuck.
  g_stuckCall = std::move(call);
  g_stuckThread = std::move(thread);
  ReleaseSRWLockExclusive(&g_stuckLock);
}

}  // namespace

bool RunBoundedWmi(std::function<bool(HANDLE progress)> body) {
  if (!NoWorkerStuck()) return false;
  auto call = std::make_shared<BoundedCall>();
  call->body = std::move(body);
  call->progress.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
  if (!call->progress) return false;

  auto* share = new std::shared_ptr<BoundedCall>(call);
  OwnedHandle thread(CreateThread(nullptr, 0, &WorkerMain, share, 0, nullptr));
  if (!thread) {
    delete share;
    return false;
  }

  // The thread first: when the last step and the end come together, the
  // end is what counts.
  const HANDLE waits[] = {thread.get(), call->progress.get()};
  for (;;) {
    const DWORD woken = WaitForMultipleObjects(2, waits, FALSE, kWmiStepBoundMs);
    if (woken == WAIT_OBJECT_0) return call->answered;
    if (woken != WAIT_OBJECT_0 + 1) break;
  }
  LeaveBehind(std::move(call), std::move(thread));
  return false;
}
