#pragma once

#include <windows.h>

#include "handles/owner.h"

// Turns desktop composition off while the checker runs. The platform turns
// it back on by itself when the process that turned it off ends.
class CDwmControl {
 public:
  CDwmControl() = default;

  // A system without the window manager's library or export is left as it is.
  void DisableComposition();

 private:
  OwnedModule dwmapi_;
};
