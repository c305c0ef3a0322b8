#include "ui/widgets/dialog_font.h"

#include "res/dialog_face.h"

namespace {

const int kLayoutDpi = 96;

// The face a Japanese system gives "MS Shell Dlg", named outright: on a
// system of another language that name means a Western face. Every Windows
// since Vista carries it, whatever its language.
const wchar_t kJapaneseDialogFace[] = L"MS UI Gothic";

LOGFONTW JapaneseDialogFont(int height, LONG weight) {
  LOGFONTW font = {height,
                   0,
                   0,
                   0,
                   weight,
                   FALSE,
                   FALSE,
                   FALSE,
                   SHIFTJIS_CHARSET,
                   OUT_DEFAULT_PRECIS,
                   CLIP_DEFAULT_PRECIS,
                   DEFAULT_QUALITY,
                   DEFAULT_PITCH | FF_DONTCARE,
                   {}};
  lstrcpynW(font.lfFaceName, kJapaneseDialogFace, LF_FACESIZE);
  return font;
}

}  // namespace

HFONT CreateDialogBoldFont() {
  const LOGFONTW font = JapaneseDialogFont(12, FW_BOLD);
  return ::CreateFontIndirectW(&font);
}

HFONT CreateDialogFaceAt96Dpi() {
  const LOGFONTW font = JapaneseDialogFont(-::MulDiv(DIALOG_FACE_POINTS, kLayoutDpi, 72), FW_NORMAL);
  return ::CreateFontIndirectW(&font);
}
