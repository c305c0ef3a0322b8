#pragma once

#include <cstdint>

// A 32-bit-per-pixel picture the painter draws into; rows are `stride` bytes apart.
struct BallFrame {
  uint8_t* pixels;
  int width;
  int height;
  int stride;
};

struct BallState {
  int x;
  int y;
  int dx;
  int dy;
  int radius;
};

constexpr uint32_t kBallColour = 0x00FFD020;
constexpr uint32_t kBackgroundColour = 0x00000040;

// Where the ball starts in a picture of the given size.
BallState StartBall(int width, int height);

// Fills the whole picture with the background and draws the ball as a filled
// circle; parts of the ball outside the picture are not drawn.
void PaintBall(const BallFrame& frame, const BallState& ball);

// One step of motion: the ball bounces off each edge of the picture.
void MoveBall(BallState& ball, int width, int height);
