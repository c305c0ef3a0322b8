#pragma once

#include <windows.h>

#include "handles/non_copyable.h"

// Hands the keyboard focus back, when it ends, to the window that had it
// when it began. A modal window that closes gives the focus to its owner
// window, not to the control the user opened it from.
class CFocusReturn : NonCopyable {
 public:
  CFocusReturn();
  ~CFocusReturn();

 private:
  HWND focus_;
};
