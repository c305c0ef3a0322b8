#include "ui/widgets/button_image.h"

ButtonLook ChooseButtonImage(UINT itemState, int hover, int lastImage) {
  if (lastImage) return {kImageDisabled, hover};
  if (hover) return {kImageHover, 0};
  if (itemState & ODS_SELECTED) return {kImagePressed, 1};
  // Focus is checked before disabled, as the looks were drawn for.
  if (itemState & ODS_FOCUS) return {kImageNormal, hover};
  if (itemState & ODS_DISABLED) return {kImageDisabled, hover};
  return {kImageNormal, hover};
}

int ButtonImageHeight(int stripHeight) { return stripHeight / 4; }
