#pragma once

#include <windows.h>

#include "handles/non_copyable.h"

// A top-level window of the system dialog class, destroyed with the object.
class TestDialogWindow : NonCopyable {
 public:
  TestDialogWindow(DWORD style, DWORD exStyle, int clientWidth, int clientHeight) {
    RECT frame = {0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    window_ = CreateWindowExA(exStyle, "#32770", "test", style, 50, 50, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~TestDialogWindow() {
    if (window_) DestroyWindow(window_);
  }
  HWND get() const { return window_; }

 private:
  HWND window_;
};
