#pragma once

#include <windows.h>

// Turns desktop composition off while the checker runs. The platform turns
// it back on by itself when the process that turned it off ends.
class CDwmControl {
 public:
  CDwmControl() = default;
  ~CDwmControl();
  CDwmControl(const CDwmControl&) = delete;
  CDwmControl& operator=(const CDwmControl&) = delete;

  // A system without the window manager's library or export is left as it is.
  void DisableComposition();

 private:
  HMODULE dwmapi_ = nullptr;
};
