#include "ui/widgets/button_image.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* name;
  UINT state;
  int hover;
  int lastImage;
  int image;
  int hoverAfter;
};

TEST(ChooseButtonImageTest, FirstRuleThatAppliesWins) {
  const Case cases[] = {
      {"normal", 0, 0, 0, 0, 0},
      {"pointer over", 0, 1, 0, 2, 0},
      {"pressed sets hover for the redraw after release", ODS_SELECTED, 0, 0, 1, 1},
      {"hover comes before pressed", ODS_SELECTED, 1, 0, 2, 0},
      {"focused looks normal", ODS_FOCUS, 0, 0, 0, 0},
      {"disabled", ODS_DISABLED, 0, 0, 3, 0},
      {"focus is checked before disabled", ODS_DISABLED | ODS_FOCUS, 0, 0, 0, 0},
      {"last image always", 0, 0, 1, 3, 0},
      {"last image over hover, which it keeps", 0, 1, 1, 3, 1},
      {"last image over pressed", ODS_SELECTED, 0, 1, 3, 0},
  };
  for (const Case& c : cases) {
    const ButtonLook look = ChooseButtonImage(c.state, c.hover, c.lastImage);
    EXPECT_EQ(look.image, c.image) << c.name;
    EXPECT_EQ(look.hoverAfter, c.hoverAfter) << c.name;
  }
}

TEST(ChooseButtonImageTest, PressAndReleaseShowsPressedThenHover) {
  ButtonLook pressed = ChooseButtonImage(ODS_SELECTED, 0, 0);
  ButtonLook released = ChooseButtonImage(0, pressed.hoverAfter, 0);
  ButtonLook later = ChooseButtonImage(0, released.hoverAfter, 0);
  EXPECT_EQ(pressed.image, kImagePressed);
  EXPECT_EQ(released.image, kImageHover);
  EXPECT_EQ(later.image, kImageNormal);
}

TEST(ButtonImageHeightTest, StripHeightsThatAreNotAMultipleOfFourRoundDown) {
  const int cases[][2] = {{160, 40}, {144, 36}, {163, 40}, {3, 0}, {0, 0}, {7, 1}};
  for (const auto& c : cases) EXPECT_EQ(ButtonImageHeight(c[0]), c[1]) << c[0];
}

}  // namespace
