#pragma once

#include <windows.h>

// The bold 12-pixel Shift-JIS face both dialogs put their texts in. The
// caller owns the font.
HFONT CreateDialogBoldFont();
