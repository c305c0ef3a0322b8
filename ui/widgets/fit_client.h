#pragma once

#include <windows.h>

// Gives a dialog a client area of exactly width x height pixels: the
// children are rescaled by the same factor, the window is resized around
// the new client area and centred. A dialog with an empty client area is
// left as it is.
void FitClientToBackground(HWND dialog, int width, int height);

// The rescaling of one child's screen rectangle, given the old client size,
// the wanted one, the dialog frame and the work area.
struct ClientScale {
  int oldWidth, oldHeight;
  int newWidth, newHeight;
  int frameX, frameY;
  POINT workOrigin;
};
RECT ScaleChildRect(const RECT& screenRect, const ClientScale& scale);

// Centres a window on its owner, or on the work area when it has none.
void CenterOnOwner(HWND window);
