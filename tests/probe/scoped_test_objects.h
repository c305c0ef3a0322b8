#pragma once

#include <windows.h>

#include "handles/non_copyable.h"

// A plain pop-up window at a given screen rectangle, destroyed with the owner.
class TestWindow : NonCopyable {
 public:
  TestWindow(int x, int y, int width, int height) {
    window_ = CreateWindowExA(0, "STATIC", "probe test", WS_POPUP, x, y, width, height, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  }
  ~TestWindow() {
    if (window_) DestroyWindow(window_);
  }

  HWND get() const { return window_; }

 private:
  HWND window_ = nullptr;
};
