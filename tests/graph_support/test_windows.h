#pragma once

#include <objbase.h>
#include <windows.h>

#include "handles/non_copyable.h"
#include "tests/support/com_apartment.h"

// A real top-level window with the video area the check uses: a hidden
// black-frame static control with id 1001, 320 x 240.
class TestWindows : NonCopyable {
 public:
  TestWindows();
  ~TestWindows();

  HWND Owner() const { return owner_; }
  HWND Video() const { return video_; }

 private:
  HWND owner_ = nullptr;
  HWND video_ = nullptr;
};

// Dispatches this thread's messages until `done` holds or `timeoutMs` passes;
// returns whether `done` held. Renderer threads may send to our windows.
template <typename Predicate>
bool PumpUntil(Predicate done, DWORD timeoutMs) {
  const DWORD started = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    if (done()) return true;
    if (GetTickCount() - started >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

inline void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}
