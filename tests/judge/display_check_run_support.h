#pragma once

#include <windows.h>
// The headers below build on windows.h.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "judge/display_check_run.h"
#include "simrenderer/driver_census.h"
#include "tests/copp/graph_error_recorder.h"
#include "tests/graph_support/ball_source_dll.h"
#include "tests/graph_support/test_windows.h"
#include "tests/judge/run_log_expectations.h"

// Whole display check runs in this test process, against the platform's
// renderer or the simulated driver standing in for it.

inline constexpr char kScenarioVariable[] = "SIMULATED_DRIVER_SCENARIO";
inline constexpr uint32_t kCallerVendor = 0x1002;
inline constexpr uint32_t kCallerDevice = 0x9440;

struct RunOutcome {
  DisplayCheckRecord record{};
  JudgeResult result{};
  Lines log;
  int answer = 0;  // 1: a verdict; 0: the program's own part failed
  OwnPartFault ownPartFault;
};

// Every message of the last run with the tick it arrived at.
const std::vector<std::pair<DWORD, std::string>>& TimedLog();

void ExpectRecord(const DisplayCheckRecord& expected, const DisplayCheckRecord& actual);

// The COPP session and the renderer graph are back at their start values.
void ExpectSessionAndGraphClosed();

// What the simulated drivers of the loaded renderer module went through;
// false when the module is not loaded or lacks the export.
bool ReadSimDriverCensus(const SimRendererDll& dll, SimDriverCensus* census);

class DisplayCheckRun : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  RunOutcome Run();

  ScopedComApartment com_;
  TestWindows windows_;
  // A graph that fails to build says so in a box; here that is a failure of
  // the test, not a window nobody will close.
  GraphErrorRecorder graphErrors_;
};

// Runs with the simulated driver in place of the platform's renderer.
class SimulatedDriverRun : public DisplayCheckRun {
 protected:
  void SetUp() override;
  void TearDown() override;
  RunOutcome RunScenario(const char* scenario);

  SimRendererDll simRenderer_;
};
