#include "ui/widgets/col_btn.h"

#include <commctrl.h>

#include "ui/widgets/button_image.h"
#include "ui/widgets/dib_bitmap.h"
#include "ui/widgets/focus_cue.h"
#include "winfw/dialog_keys.h"
#include "winfw/win_app.h"

namespace {

// An enabled picture button shows the hand, as links and picture buttons do
// elsewhere on the desktop; a disabled one keeps the arrow.
HCURSOR CursorOver(HWND button) {
  return ::LoadCursorA(nullptr, ::IsWindowEnabled(button) ? IDC_HAND : IDC_ARROW);
}

}  // namespace

CColBtn::~CColBtn() = default;

BOOL CColBtn::SetStateBitmap(int bitmapId, CWnd* owner, int restoreCursor, HCURSOR cursor, int lastImage) {
  restoreCursor_ = restoreCursor;
  owner_ = owner;
  cursor_ = cursor;
  lastImage_ = lastImage;

  const HINSTANCE module = AfxGetInstanceHandle();
  const DibResource dib = FindDibResource(module, bitmapId);
  if (dib.header) strip_.reset(LoadDibBitmap(dib.header, dib.size, m_hWnd));

  BITMAP size = {};
  OwnedBitmap plain(::LoadBitmapA(module, MAKEINTRESOURCEA(bitmapId)));
  if (plain && ::GetObjectA(plain.get(), sizeof(size), &size) == sizeof(size)) {
    imageWidth_ = size.bmWidth;
    imageHeight_ = ButtonImageHeight(size.bmHeight);
  }
  if (strip_) {
    SetWindowPos(nullptr, 0, 0, imageWidth_, imageHeight_,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
  }
  hover_ = 0;
  return TRUE;
}

void CColBtn::DrawItem(const DRAWITEMSTRUCT* item) {
  if (!strip_) return;
  // Every picture shares one colour table, so the palette of the dialog
  // draws the strip as the main window's would.
  const HPALETTE shared = paletteSource_ ? paletteSource_->ButtonPalette() : nullptr;
  ScopedPaletteSelection palette(item->hDC, shared, TRUE);
  ScopedMemoryDc memory(item->hDC);
  ScopedSelection strip(memory.get(), strip_.get());
  const ButtonLook look = ChooseButtonImage(item->itemState, hover_, lastImage_);
  hover_ = look.hoverAfter;
  ::BitBlt(item->hDC, 0, 0, imageWidth_, imageHeight_, memory.get(), 0, look.image * imageHeight_, SRCCOPY);
  if (WantsFocusCue(item->itemState, FocusCuesShown(m_hWnd)))
    DrawFocusCue(item->hDC, imageWidth_, imageHeight_);
}

void CColBtn::OnMouseMove(UINT, POINT) {
  hover_ = 1;
  Invalidate(FALSE);
  UpdateWindow();
  if (!tracking_) {
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
    _TrackMouseEvent(&track);
    tracking_ = 1;
  }
}

void CColBtn::OnMouseLeave() {
  hover_ = 0;
  Invalidate(FALSE);
  UpdateWindow();
  // Nothing ever hands the button a cursor to put back: the arrow is what
  // the window under the pointer shows unless it sets its own.
  if (restoreCursor_) ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
  tracking_ = 0;
}

bool CColBtn::OnSetCursor() {
  ::SetCursor(CursorOver(m_hWnd));
  return true;
}

void CColBtn::OnDestroy() {
  CButton::OnDestroy();
  strip_.reset();
}
