#pragma once

#include <windows.h>

// The four looks of a picture button, stacked in its strip from the top.
enum ButtonImage { kImageNormal = 0, kImagePressed = 1, kImageHover = 2, kImageDisabled = 3 };

struct ButtonLook {
  int image;
  int hoverAfter;  // the hover flag once this drawing is done
};

// First rule that applies: the last-image flag, the hover flag (which it
// clears), pressed (which sets it, so the redraw after release shows hover),
// focused, disabled, normal.
ButtonLook ChooseButtonImage(UINT itemState, int hover, int lastImage);

// Height of one look: a strip of any height gives its quarter, rounded down.
int ButtonImageHeight(int stripHeight);
