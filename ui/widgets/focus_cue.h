#pragma once

#include <windows.h>

#include <array>

// The ring a focused picture button shows once the user works with the
// keyboard: two pixels wide, three pixels inside the button's edge, in
// black and white blocks, so that it stands out on dark, light and red
// looks alike and never leaves the button.
std::array<RECT, 4> FocusCueEdges(int width, int height);

// ODS_NOFOCUSRECT is the platform's say (its keyboard-cue state, where it
// keeps one); `keyboardCues` is the dialog's own record of the last input.
bool WantsFocusCue(UINT itemState, bool keyboardCues);

void DrawFocusCue(HDC dc, int width, int height);
