#pragma once

#include <windows.h>

// Makes a left-aligned static control paint its own text, broken into lines
// between Japanese characters (ui/widgets/line_breaks.h). The dialogs' texts
// are laid out for the Japanese system's DrawText, which wraps there; some
// platforms' DrawText wraps only at blanks and pushes a long Japanese phrase
// onto a third line that the 30-pixel statics cut off. Colours and the
// background still come from the parent's WM_CTLCOLORSTATIC answer.
// False when the control is not a left-aligned static.
bool PaintStaticWithJapaneseLineBreaks(HWND control);
