#include "ui/check_time.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatCheckTimeTest, ZeroPadsEveryFieldAndDropsTheSeconds) {
  struct Case {
    SYSTEMTIME time;
    const char* text;
  };
  const Case cases[] = {
      {{2026, 12, 2, 8, 9, 5, 7, 999}, "2026/12/08 09:05"},
      {{2010, 1, 5, 1, 0, 0, 59, 0}, "2010/01/01 00:00"},
      {{999, 10, 0, 31, 23, 59, 0, 0}, "0999/10/31 23:59"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatCheckTime(c.time), c.text);
}

}  // namespace
