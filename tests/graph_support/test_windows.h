#pragma once

#include <windows.h>

#include <objbase.h>

// A real top-level window with the video area the check uses: a hidden
// black-frame static control with id 1001, 320 x 240.
class TestWindows {
 public:
  TestWindows();
  ~TestWindows();
  TestWindows(const TestWindows&) = delete;
  TestWindows& operator=(const TestWindows&) = delete;

  HWND Owner() const { return owner_; }
  HWND Video() const { return video_; }

 private:
  HWND owner_ = nullptr;
  HWND video_ = nullptr;
};

// Single-threaded apartment for one test.
class ScopedComApartment {
 public:
  ScopedComApartment() : result_(CoInitialize(nullptr)) {}
  ~ScopedComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ScopedComApartment(const ScopedComApartment&) = delete;
  ScopedComApartment& operator=(const ScopedComApartment&) = delete;
  HRESULT Result() const { return result_; }

 private:
  HRESULT result_;
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
