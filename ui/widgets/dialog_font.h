#pragma once

#include <windows.h>

// The bold 12-pixel Shift-JIS face both dialogs put their texts in. The
// caller owns the font.
HFONT CreateDialogBoldFont();

// The dialog's own face (its template's size) at the height it has on a
// 96-DPI screen. The pages are pictures laid out in pixels; a face that grew
// with the screen's DPI would no longer fit the rectangles drawn for it.
// The caller owns the font.
HFONT CreateDialogFaceAt96Dpi();
