#include "ui/widgets/control_placement.h"

void PlaceStaticsOnTop(HWND dialog, const ControlPlacement* placements, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const ControlPlacement& p = placements[i];
    ::SetWindowPos(::GetDlgItem(dialog, p.controlId), HWND_TOP, p.x, p.y, p.width, p.height, SWP_SHOWWINDOW);
  }
}

void SetTabOrder(HWND dialog, const int* controlIds, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    ::SetWindowPos(::GetDlgItem(dialog, controlIds[i]), HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
}

void SetUpPictureButton(CColBtn& button, int bitmapId, CWnd* owner, const ControlPlacement& placement) {
  button.SetStateBitmap(bitmapId, owner, 1, nullptr, 0);
  button.MoveWindow(placement.x, placement.y, placement.width, placement.height, TRUE);
}

void PaintBackground(HDC dc, const BackgroundPicture& picture) {
  if (!picture.bitmap) return;
  ScopedMemoryDc memory(dc);
  ScopedSelection selected(memory.get(), picture.bitmap.get());
  ::BitBlt(dc, 0, 0, picture.width, picture.height, memory.get(), 0, 0, SRCCOPY);
}
