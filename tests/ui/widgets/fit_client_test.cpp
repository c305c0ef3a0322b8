#include "ui/widgets/fit_client.h"

#include <gtest/gtest.h>

#include "tests/ui/widgets/test_dialog_window.h"

namespace {

struct ScaleCase {
  RECT screen;
  ClientScale scale;
  RECT expected;
};

TEST(ScaleChildRectTest, ScalesAfterTheFrameAndShiftsByTheWorkArea) {
  const ScaleCase cases[] = {
      // The main dialog's template client (618 x 302) to 940 x 450.
      {{103, 53, 203, 103}, {618, 302, 940, 450, 3, 3, {0, 0}}, {152, 74, 304, 149}},
      {{3, 3, 621, 305}, {618, 302, 940, 450, 3, 3, {0, 0}}, {0, 0, 940, 450}},
      // A work area that starts right of a left taskbar.
      {{103, 53, 203, 103}, {100, 100, 200, 200, 3, 3, {40, 0}}, {160, 100, 360, 200}},
      // Left of the frame: the division truncates towards zero.
      {{0, 0, 10, 10}, {3, 3, 2, 2, 1, 1, {0, 0}}, {0, 0, 6, 6}},
      {{-4, -4, 1, 1}, {3, 3, 2, 2, 0, 0, {0, 0}}, {-2, -2, 0, 0}},
  };
  for (const ScaleCase& c : cases) {
    const RECT scaled = ScaleChildRect(c.screen, c.scale);
    EXPECT_TRUE(EqualRect(&scaled, &c.expected))
        << scaled.left << "," << scaled.top << "," << scaled.right << "," << scaled.bottom;
  }
}

TEST(FitClientToBackgroundTest, GivesTheClientAreaTheWantedSize) {
  TestDialogWindow dialog(WS_POPUP | WS_VISIBLE, 0, 300, 150);
  ASSERT_TRUE(dialog.get());
  FitClientToBackground(dialog.get(), 940, 450);
  RECT client;
  GetClientRect(dialog.get(), &client);
  EXPECT_EQ(client.right, 940);
  EXPECT_EQ(client.bottom, 450);

  TestDialogWindow framed(WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 200, 100);
  FitClientToBackground(framed.get(), 500, 450);
  GetClientRect(framed.get(), &client);
  EXPECT_EQ(client.right, 500);
  EXPECT_EQ(client.bottom, 450);
}

TEST(FitClientToBackgroundTest, AnEmptyClientAreaChangesNothing) {
  TestDialogWindow dialog(WS_POPUP | WS_VISIBLE, 0, 0, 0);
  ASSERT_TRUE(dialog.get());
  RECT before;
  GetWindowRect(dialog.get(), &before);
  FitClientToBackground(dialog.get(), 940, 450);
  RECT after;
  GetWindowRect(dialog.get(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));
}

}  // namespace
