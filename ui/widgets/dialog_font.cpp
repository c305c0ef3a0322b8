#include "ui/widgets/dialog_font.h"

namespace {

const int kTemplatePoints = 8;
const int kLayoutDpi = 96;

}  // namespace

HFONT CreateDialogBoldFont() {
  return ::CreateFontA(12, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Shell Dlg");
}

HFONT CreateDialogFaceAt96Dpi(HWND dialog) {
  const auto face = reinterpret_cast<HFONT>(::SendMessageA(dialog, WM_GETFONT, 0, 0));
  LOGFONTA font = {};
  if (!face || ::GetObjectA(face, sizeof(font), &font) != sizeof(font)) return nullptr;
  font.lfHeight = -::MulDiv(kTemplatePoints, kLayoutDpi, 72);
  font.lfWidth = 0;
  return ::CreateFontIndirectA(&font);
}
