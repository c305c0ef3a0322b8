#pragma once

#include <cstdint>
#include <vector>

#include "simrenderer/driver_census.h"
#include "tests/judge/display_check_run_support.h"

// Every status request and every command of one display check fails in
// turn, in every way a driver can fail it, and the run must still end with
// the verdict that the factor and retry rules give for what is left.

inline constexpr uint32_t kMaskUnknown = 0x80000000;

// The verdict and what the record collected.
struct Outcome {
  JudgeResult flags;
  int hdcpSetOk;
  int cgmsaLevelsOk;
  uint32_t busType;  // 3: PCI Express
  uint32_t protectionTypes;
  const char* judgement;  // tests/golden/judge_flow/<judgement>.txt
};

struct StatusRow {
  uint32_t n;
  const char* asks;
  Outcome whenItFails;
  Outcome whenItAndLaterFail;
};

struct CommandRow {
  uint32_t n;
  const char* sets;
  uint32_t statusBefore;  // status requests the run has sent before it
  Outcome whenItFails;
};

struct MatrixScenario {
  const char* text;
  uint32_t connector;
  Outcome clean;
  std::vector<StatusRow> status;
  std::vector<CommandRow> commands;
};

struct MatrixCase;

class FaultMatrix : public SimulatedDriverRun {
 protected:
  // The second the driver gets to switch HDCP on is pinned by the run's own
  // tests; a hundred of them here would only make the matrix slow.
  void SetUp() override {
    SimulatedDriverRun::SetUp();
    previousSettleMs_ = SetHdcpSettleMilliseconds(10);
  }
  void TearDown() override {
    SetHdcpSettleMilliseconds(previousSettleMs_);
    SimulatedDriverRun::TearDown();
  }

  // The clean run first, then every case of the scenario, each on its own renderer.
  void RunMatrix(const MatrixScenario& scenario);

 private:
  RunOutcome TimedRun(const std::string& text);
  SimDriverCensus ExpectAllReleased();
  void ExpectCase(const MatrixScenario& scenario, const MatrixCase& c, const RunOutcome& clean,
                  const RunOutcome& run, const SimObserved& driver);

  Lines head_;  // probing DirectDraw for it costs as much as half a run
  uint32_t peersBefore_ = 0;
  DWORD slowestMs_ = 0;
  DWORD totalMs_ = 0;
  DWORD runs_ = 0;
  DWORD previousSettleMs_ = 1000;
};
