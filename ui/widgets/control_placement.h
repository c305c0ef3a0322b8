#pragma once

#include <windows.h>

#include "res/page_layout.h"
#include "ui/widgets/col_btn.h"
#include "ui/widgets/dib_bitmap.h"

// Where a dialog puts a control, in client pixels.
struct ControlPlacement {
  int controlId;
  int x, y, width, height;
};

constexpr ControlPlacement PlaceAt(int controlId, const PageRect& rect) {
  return {controlId, rect.left, rect.top, rect.width(), rect.height()};
}

// Static texts go on top of their siblings and are shown.
void PlaceStaticsOnTop(HWND dialog, const ControlPlacement* placements, size_t count);

// Puts the controls last among their siblings in the given order: the
// order Tab visits them in, which should be the order they are read in.
void SetTabOrder(HWND dialog, const int* controlIds, size_t count);

// Gives a picture button its strip and its rectangle. Both dialogs hand the
// restore-cursor flag set and no cursor of their own.
void SetUpPictureButton(CColBtn& button, int bitmapId, CWnd* owner, const ControlPlacement& placement);

// Copies a background picture to the client origin in its own size.
void PaintBackground(HDC dc, const BackgroundPicture& picture);
