#include "ui/verdict_pictures.h"

#include <gtest/gtest.h>

#include "ui/solution_pages.h"

// Found by argument lookup, so it lives beside the type.
bool operator==(const PicturePlacement& a, const PicturePlacement& b) {
  return a.bitmapId == b.bitmapId && a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

namespace {

TEST(VerdictPicturesTest, MarksAndBannerLandOnTheirRectangles) {
  VerdictState marks;
  EXPECT_TRUE(VerdictPictures(marks).empty());

  marks.osMark = 1;
  marks.memoryMark = 2;
  marks.displayMark = 3;
  marks.cpuMark = 3;
  marks.overallMark = 3;
  const std::vector<PicturePlacement> expected = {
      {242, 57, 204, 50, 50}, {243, 497, 204, 50, 50}, {244, 57, 309, 50, 50},
      {245, 497, 309, 135, 50}, {248, 150, 78, 480, 60},
  };
  EXPECT_EQ(VerdictPictures(marks), expected);
}

TEST(VerdictPicturesTest, EachValuePicksItsPictureAndZeroDrawsNothing) {
  struct Case {
    int value;
    int markId;
    int bannerId;
  };
  const Case cases[] = {{1, 242, 246}, {2, 243, 247}, {3, 244, 248}};
  for (const Case& c : cases) {
    VerdictState marks;
    marks.memoryMark = c.value;
    marks.overallMark = c.value;
    const std::vector<PicturePlacement> expected = {{c.markId, 497, 204, 50, 50}, {c.bannerId, 150, 78, 480, 60}};
    EXPECT_EQ(VerdictPictures(marks), expected) << c.value;
  }
  VerdictState onlyCpu;
  onlyCpu.cpuMark = 2;  // only 3 has a picture
  EXPECT_TRUE(VerdictPictures(onlyCpu).empty());
}

TEST(SolutionPagePathTest, EveryCodeHasItsPage) {
  EXPECT_STREQ(SolutionPagePath(1), "\\GUIDE\\error06.htm");
  EXPECT_STREQ(SolutionPagePath(2), "\\GUIDE\\error00.htm");
  EXPECT_STREQ(SolutionPagePath(3), "\\GUIDE\\error01.htm");
  EXPECT_STREQ(SolutionPagePath(7), "\\GUIDE\\error05.htm");
  EXPECT_STREQ(SolutionPagePath(8), "\\GUIDE\\error03-1.htm");
  for (int code : {0, 4, 5, 6, 9, -1}) EXPECT_EQ(SolutionPagePath(code), nullptr) << code;
}

}  // namespace
