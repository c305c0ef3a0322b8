#include "sourcefilter/ball_painter.h"

#include <cstring>

BallState StartBall(int width, int height) {
  const int radius = (width < height ? width : height) / 10;
  return BallState{width / 3, height / 4, 4, 3, radius > 0 ? radius : 1};
}

void PaintBall(const BallFrame& frame, const BallState& ball) {
  const long long r2 = static_cast<long long>(ball.radius) * ball.radius;
  for (int row = 0; row < frame.height; ++row) {
    uint8_t* line = frame.pixels + static_cast<long long>(row) * frame.stride;
    const long long dy = row - ball.y;
    for (int col = 0; col < frame.width; ++col) {
      const long long dx = col - ball.x;
      const uint32_t colour = dx * dx + dy * dy <= r2 ? kBallColour : kBackgroundColour;
      std::memcpy(line + col * 4, &colour, 4);
    }
  }
}

namespace {

void Bounce(int& position, int& speed, int radius, int extent) {
  position += speed;
  if (position - radius < 0) {
    position = radius;
    speed = -speed;
  } else if (position + radius > extent) {
    position = extent - radius;
    speed = -speed;
  }
}

}  // namespace

void MoveBall(BallState& ball, int width, int height) {
  Bounce(ball.x, ball.dx, ball.radius, width);
  Bounce(ball.y, ball.dy, ball.radius, height);
}
