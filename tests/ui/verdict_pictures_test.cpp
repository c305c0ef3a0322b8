#include "ui/verdict_pictures.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "res/resource_ids.h"
#include "tests/support/golden_file.h"
#include "ui/verdict.h"

// Found by argument lookup, so it lives beside the type.
bool operator==(const PicturePlacement& a, const PicturePlacement& b) {
  return a.bitmapId == b.bitmapId && a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

namespace {

std::map<std::string, GoldenRect> Slots() { return GoldenRects("result_page_pictures.txt"); }

PicturePlacement In(const char* slot, int bitmapId) {
  const GoldenRect rect = Slots()[slot];
  return {bitmapId, rect.x, rect.y, rect.width, rect.height};
}

TEST(VerdictPicturesTest, MarksAndBannerLandOnTheirRectangles) {
  ASSERT_EQ(5u, Slots().size());
  VerdictState marks;
  EXPECT_TRUE(VerdictPictures(marks).empty());

  marks.osMark = 1;
  marks.memoryMark = 2;
  marks.displayMark = 3;
  marks.cpuMark = 3;
  marks.overallMark = 3;
  const std::vector<PicturePlacement> expected = {
      In("os", IDB_MARK_DOUBLE_CIRCLE),  In("memory", IDB_MARK_CIRCLE),       In("display", IDB_MARK_CROSS),
      In("cpu", IDB_MARK_CROSS_CAPTION), In("banner", IDB_BANNER_UNSUITABLE),
  };
  EXPECT_EQ(VerdictPictures(marks), expected);
}

TEST(VerdictPicturesTest, EachValuePicksItsPictureAndZeroDrawsNothing) {
  struct Case {
    int value;
    int markId;
    int bannerId;
  };
  const Case cases[] = {{1, IDB_MARK_DOUBLE_CIRCLE, IDB_BANNER_SUITABLE},
                        {2, IDB_MARK_CIRCLE, IDB_BANNER_LIMITED},
                        {3, IDB_MARK_CROSS, IDB_BANNER_UNSUITABLE}};
  for (const Case& c : cases) {
    VerdictState marks;
    marks.memoryMark = c.value;
    marks.overallMark = c.value;
    const std::vector<PicturePlacement> expected = {In("memory", c.markId), In("banner", c.bannerId)};
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
