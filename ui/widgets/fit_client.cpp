#include "ui/widgets/fit_client.h"

RECT ScaleChildRect(const RECT& r, const ClientScale& s) {
  RECT scaled;
  scaled.left = (r.left - s.frameX) * s.newWidth / s.oldWidth - s.workOrigin.x;
  scaled.top = (r.top - s.frameY) * s.newHeight / s.oldHeight - s.workOrigin.y;
  scaled.right = (r.right - s.frameX) * s.newWidth / s.oldWidth - s.workOrigin.x;
  scaled.bottom = (r.bottom - s.frameY) * s.newHeight / s.oldHeight - s.workOrigin.y;
  return scaled;
}

void CenterOnOwner(HWND window) {
  RECT area;
  const HWND owner = ::GetWindow(window, GW_OWNER);
  if (owner && ::IsWindowVisible(owner)) {
    ::GetWindowRect(owner, &area);
  } else {
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  RECT own;
  ::GetWindowRect(window, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  const int x = area.left + (area.right - area.left - width) / 2;
  const int y = area.top + (area.bottom - area.top - height) / 2;
  ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FitClientToBackground(HWND dialog, int width, int height) {
  RECT client;
  ::GetClientRect(dialog, &client);
  const int oldWidth = client.right - client.left;
  const int oldHeight = client.bottom - client.top;
  if (oldWidth == 0 || oldHeight == 0) return;

  RECT work;
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const ClientScale scale{oldWidth, oldHeight, width, height,
                          ::GetSystemMetrics(SM_CXDLGFRAME), ::GetSystemMetrics(SM_CYDLGFRAME),
                          POINT{work.left, work.top}};
  for (HWND child = ::GetTopWindow(dialog); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    RECT rect;
    ::GetWindowRect(child, &rect);
    const RECT moved = ScaleChildRect(rect, scale);
    ::MoveWindow(child, moved.left, moved.top, moved.right - moved.left, moved.bottom - moved.top, FALSE);
  }

  RECT wanted = {client.left * width / oldWidth, client.top * height / oldHeight,
                 client.right * width / oldWidth, client.bottom * height / oldHeight};
  const LONG style = ::GetWindowLongA(dialog, GWL_STYLE);
  const LONG exStyle = ::GetWindowLongA(dialog, GWL_EXSTYLE);
  ::AdjustWindowRectEx(&wanted, static_cast<DWORD>(style), ::GetMenu(dialog) != nullptr,
                       static_cast<DWORD>(exStyle));
  ::MoveWindow(dialog, wanted.left, wanted.top, wanted.right - wanted.left, wanted.bottom - wanted.top, TRUE);
  CenterOnOwner(dialog);
}
