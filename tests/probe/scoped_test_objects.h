#pragma once

#include <windows.h>

// A plain pop-up window at a given screen rectangle, destroyed with the owner.
class TestWindow {
 public:
  TestWindow(int x, int y, int width, int height) {
    window_ = CreateWindowExA(0, "STATIC", "probe test", WS_POPUP, x, y, width, height, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  }
  ~TestWindow() {
    if (window_) DestroyWindow(window_);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND get() const { return window_; }

 private:
  HWND window_ = nullptr;
};
