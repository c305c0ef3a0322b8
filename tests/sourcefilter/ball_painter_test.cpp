#include "sourcefilter/ball_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// A 16 x 12 picture with four spare bytes per row and guard bytes after the end.
struct HandMadeFrame {
  static constexpr int kWidth = 16;
  static constexpr int kHeight = 12;
  static constexpr int kStride = kWidth * 4 + 4;
  static constexpr int kGuard = 32;
  std::vector<uint8_t> bytes = std::vector<uint8_t>(kStride * kHeight + kGuard, 0xAB);
  BallFrame Frame() { return BallFrame{bytes.data(), kWidth, kHeight, kStride}; }
  bool GuardIntact() const {
    return std::all_of(bytes.end() - kGuard, bytes.end(), [](uint8_t b) { return b == 0xAB; });
  }
  uint32_t Pixel(int x, int y) const {
    uint32_t value;
    std::memcpy(&value, bytes.data() + y * kStride + x * 4, 4);
    return value;
  }
};

TEST(PaintBall, DrawsAFilledCircleOnTheBackground) {
  HandMadeFrame frame;
  PaintBall(frame.Frame(), BallState{8, 6, 0, 0, 3});
  struct Row {
    int x, y;
    uint32_t expected;
  };
  const Row rows[] = {
      {8, 6, kBallColour},        {11, 6, kBallColour},       {8, 3, kBallColour},
      {5, 6, kBallColour},        {12, 6, kBackgroundColour}, {10, 8, kBallColour},
      {11, 9, kBackgroundColour}, {0, 0, kBackgroundColour},  {15, 11, kBackgroundColour},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(row.expected, frame.Pixel(row.x, row.y)) << row.x << "," << row.y;
  }
  // Row padding and the bytes after the picture are left alone.
  for (int y = 0; y < HandMadeFrame::kHeight; ++y) {
    EXPECT_EQ(0xAB, frame.bytes[y * HandMadeFrame::kStride + HandMadeFrame::kWidth * 4]);
  }
  EXPECT_TRUE(frame.GuardIntact());
}

TEST(PaintBall, BallPartlyOutsideIsClippedToThePicture) {
  HandMadeFrame frame;
  PaintBall(frame.Frame(), BallState{-2, 13, 0, 0, 4});
  EXPECT_EQ(kBallColour, frame.Pixel(0, 11));
  EXPECT_EQ(kBackgroundColour, frame.Pixel(5, 11));
  EXPECT_TRUE(frame.GuardIntact());
}

TEST(MoveBall, BouncesOffEachEdge) {
  struct Row {
    const char* name;
    BallState before;
    BallState after;
  };
  const Row rows[] = {
      {"FreeFlight", {50, 50, 4, 3, 10}, {54, 53, 4, 3, 10}},
      {"RightEdge", {88, 50, 4, 3, 10}, {90, 53, -4, 3, 10}},
      {"LeftEdge", {12, 50, -4, 3, 10}, {10, 53, 4, 3, 10}},
      {"BottomEdge", {50, 69, 4, 3, 10}, {54, 70, 4, -3, 10}},
      {"TopCorner", {11, 11, -4, -3, 10}, {10, 10, 4, 3, 10}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    BallState ball = row.before;
    MoveBall(ball, 100, 80);
    EXPECT_EQ(row.after.x, ball.x);
    EXPECT_EQ(row.after.y, ball.y);
    EXPECT_EQ(row.after.dx, ball.dx);
    EXPECT_EQ(row.after.dy, ball.dy);
  }
}

TEST(MoveBall, StaysInsideThePictureOverManySteps) {
  BallState ball = StartBall(320, 240);
  for (int step = 0; step < 2000; ++step) {
    MoveBall(ball, 320, 240);
    ASSERT_GE(ball.x - ball.radius, 0);
    ASSERT_LE(ball.x + ball.radius, 320);
    ASSERT_GE(ball.y - ball.radius, 0);
    ASSERT_LE(ball.y + ball.radius, 240);
  }
}

}  // namespace
