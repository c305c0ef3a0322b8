#pragma once

#include <windows.h>

#include <array>

// The ring a focused picture button shows once the user works with the
// keyboard: two pixels wide, three pixels inside the button's edge, in
// black and white blocks, so that it stands out on dark, light and red
// looks alike and never leaves the button.
std::array<RECT, 4> FocusCueEdges(int width, int height);

// `cuesShown` is the window's keyboard-cue state; ODS_NOFOCUSRECT says the
// same where the platform passes it on to owner-drawn buttons.
bool WantsFocusCue(UINT itemState, bool cuesShown);

void DrawFocusCue(HDC dc, int width, int height);
