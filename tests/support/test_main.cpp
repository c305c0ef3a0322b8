#include <cstdio>

#include <gtest/gtest.h>

#include "tests/support/hang_watchdog.h"

// The C runtime buffers a pipe fully, so a test that CTest kills on its
// timeout would leave no line saying where it hung. Unbuffered, the last
// "[ RUN      ]" line names the test that never finished; the watchdog
// comes first with that name and every thread's stack.
int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::setvbuf(stderr, nullptr, _IONBF, 0);
  ::testing::InitGoogleTest(&argc, argv);
  StartHangWatchdog(::testing::UnitTest::GetInstance()->listeners());
  return RUN_ALL_TESTS();
}
