#pragma once

#include <windows.h>
#include <objbase.h>

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

// COM single-threaded apartment for the length of one test.
class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  HRESULT result() const { return result_; }

 private:
  HRESULT result_;
};
