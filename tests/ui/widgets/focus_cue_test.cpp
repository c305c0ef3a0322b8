#include "ui/widgets/focus_cue.h"

#include <gtest/gtest.h>

namespace {

TEST(FocusCueTest, ShownOnlyForTheFocusedButtonOnceTheKeyboardIsUsed) {
  struct Case {
    const char* name;
    UINT state;
    bool keyboardCues;
    bool wanted;
  };
  const Case cases[] = {
      {"focused, keyboard used", ODS_FOCUS, true, true},
      {"focused, mouse only", ODS_FOCUS, false, false},
      {"not focused", 0, true, false},
      {"the platform hides the cues", ODS_FOCUS | ODS_NOFOCUSRECT, true, false},
      {"pressed with the focus", ODS_FOCUS | ODS_SELECTED, true, true},
  };
  for (const Case& c : cases) EXPECT_EQ(WantsFocusCue(c.state, c.keyboardCues), c.wanted) << c.name;
}

// The ring of every picture button: 2 pixels wide, 3 inside the edge.
TEST(FocusCueTest, RingLiesInsideTheButton) {
  struct Case {
    int width, height;
    RECT top, bottom, left, right;
  };
  const Case cases[] = {
      {210, 40, {3, 3, 207, 5}, {3, 35, 207, 37}, {3, 5, 5, 35}, {205, 5, 207, 35}},
      {40, 40, {3, 3, 37, 5}, {3, 35, 37, 37}, {3, 5, 5, 35}, {35, 5, 37, 35}},
      {160, 36, {3, 3, 157, 5}, {3, 31, 157, 33}, {3, 5, 5, 31}, {155, 5, 157, 31}},
  };
  for (const Case& c : cases) {
    const std::array<RECT, 4> edges = FocusCueEdges(c.width, c.height);
    const RECT expected[4] = {c.top, c.bottom, c.left, c.right};
    for (int i = 0; i < 4; ++i) {
      EXPECT_TRUE(EqualRect(&edges[i], &expected[i])) << c.width << "x" << c.height << " edge " << i;
    }
  }
  for (const RECT& edge : FocusCueEdges(8, 8)) EXPECT_TRUE(IsRectEmpty(&edge)) << "no room for a ring";
}

}  // namespace
