#pragma once

#include <gtest/gtest.h>

// Arms a timer for the whole test program. When it runs out, the program
// writes to stderr the test that was running and a backtrace of each of its
// threads (by Wine's debugger), then ends with exit code kHangExitCode.
// TEST_WATCHDOG_SECONDS sets the limit; 0 turns the watchdog off. Unset, it
// is kDefaultWatchdogSeconds: CTest's 300 s (tools/test.sh) less the time
// the dump may take under load. tests/CMakeLists.txt gives tests with a
// time-out of their own the matching limit.
constexpr unsigned kDefaultWatchdogSeconds = 275;
constexpr int kHangExitCode = 124;

void StartHangWatchdog(::testing::TestEventListeners& listeners);
