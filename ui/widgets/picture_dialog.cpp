#include "ui/widgets/picture_dialog.h"

#include "handles/gdi_scopes.h"
#include "winfw/win_app.h"

CPictureDialog::CPictureDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

HPALETTE CPictureDialog::ButtonPalette() const {
  return pictures_.empty() ? nullptr : pictures_.front().palette.get();
}

void CPictureDialog::LoadPictures(const int* pictureIds, size_t count, BOOL inBackground) {
  pictures_.clear();
  pictures_.resize(count);
  for (size_t i = 0; i < count; ++i) {
    LoadBackgroundPicture(AfxGetInstanceHandle(), pictureIds[i], m_hWnd, inBackground, &pictures_[i]);
  }
  const bool clipsChildren = (::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & WS_CLIPCHILDREN) != 0;
  if (clipsChildren && count > 0 && pictures_.front().bitmap) {
    pictureBrush_.reset(::CreatePatternBrush(pictures_.front().bitmap.get()));
  }
}

void CPictureDialog::SetUpButtons(const PictureButton* buttons, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    SetUpPictureButton(*buttons[i].button, buttons[i].stripId, this, buttons[i].placement);
    buttons[i].button->DrawWithPaletteOf(this);
  }
}

void CPictureDialog::OnPaint() {
  {
    ScopedPaintDc paint(m_hWnd);
    const HDC dc = paint.get();
    // Every picture's palette in turn, the first one's put back last.
    HPALETTE firstPrevious = nullptr;
    for (const BackgroundPicture& picture : pictures_) {
      if (!dc || !picture.dib.header || !picture.palette) continue;
      const HPALETTE previous = ::SelectPalette(dc, picture.palette.get(), FALSE);
      ::RealizePalette(dc);
      if (!firstPrevious) firstPrevious = previous;
    }
    if (dc && shownPicture_ < pictures_.size()) PaintBackground(dc, pictures_[shownPicture_]);
    if (firstPrevious) ::SelectPalette(dc, firstPrevious, TRUE);
  }
  // Outside the paint cycle: what is drawn over the picture is drawn whole.
  PaintOverPicture();
}

HBRUSH CPictureDialog::OnCtlColor(HDC dc, HWND control, UINT) {
  const int id = ::GetDlgCtrlID(control);
  for (const TextOnPicture& text : texts_) {
    if (text.controlId != id) continue;
    ::SetBkMode(dc, TRANSPARENT);
    if (text.colour != kDefaultTextColour) ::SetTextColor(dc, text.colour);
    if (!pictureBrush_) return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    POINT origin = {0, 0};
    ::MapWindowPoints(control, m_hWnd, &origin, 1);
    ::SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
    return pictureBrush_.get();
  }
  return nullptr;
}

void CPictureDialog::OnLButtonDown(UINT, POINT) {
  // The window has no caption: the whole background is its handle.
  Send(WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void CPictureDialog::OnDestroy() {
  CDialog::OnDestroy();
  // However the window goes, its pictures go with it.
  pictureBrush_.reset();
  for (BackgroundPicture& picture : pictures_) picture.bitmap.reset();
}
