#pragma once

#include <windows.h>

#include <string>

// A visible top-level window on the test display with a hidden child
// static control 1001, the shape of the main dialog's video area.
class TestMainWindow {
 public:
  explicit TestMainWindow(int x = 40, int y = 40);
  ~TestMainWindow();
  TestMainWindow(const TestMainWindow&) = delete;
  TestMainWindow& operator=(const TestMainWindow&) = delete;

  HWND Window() const { return window_; }
  HWND VideoWindow() const { return GetDlgItem(window_, 1001); }

 private:
  HWND window_ = nullptr;
};

// Build paths arrive as host paths; Wine sees the host root as drive Z:.
std::string ToWindowsPath(const std::string& hostPath);

// Registers a COM server DLL through its own exports for the life of the
// object, the way regsvr32 would, and unregisters it afterwards.
class ScopedServerRegistration {
 public:
  explicit ScopedServerRegistration(const std::string& hostPath);
  ~ScopedServerRegistration();
  ScopedServerRegistration(const ScopedServerRegistration&) = delete;
  ScopedServerRegistration& operator=(const ScopedServerRegistration&) = delete;

  HRESULT Result() const { return result_; }

 private:
  HMODULE module_ = nullptr;
  HRESULT result_ = E_FAIL;
};
