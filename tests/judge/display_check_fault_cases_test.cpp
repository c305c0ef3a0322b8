#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/judge/display_check_run_support.h"

// Single faults whose handling the run itself decides, each with its whole log.

namespace {

using R = JudgeResult;

// A driver that asks for a fresh start only at first, as after a display
// mode change: the repeated runs of one process must reach its real verdict.
using RetryThenSucceed = SimulatedDriverRun;

TEST_F(RetryThenSucceed, SessionStartAsksForRetryOnlyInTheFirstRuns) {
  const struct {
    const char* scenario;
    int retries;
  } rows[] = {
      {"connector=5;protection=1;sessionStart=0xC026251E;sessionStartRuns=1", 1},
      {"connector=5;protection=1;sessionStart=0xC026251E;sessionStartRuns=2", 2},
      // The same text again counts afresh only after another text came between.
      {"connector=5;protection=1;sessionStart=0xC026251E;sessionStartRuns=1", 1},
  };
  const JudgeResult retry = Flags({&R::displayNg, &R::ngCopp, &R::retryFromStart});
  const JudgeResult ok = Flags({&R::displayOk});
  for (const auto& row : rows) {
    SCOPED_TRACE(row.scenario);
    // The main dialog's way: run again while a retry is asked for, three repeats at most.
    std::vector<std::string> verdicts;
    for (int run = 0; run < 4; ++run) {
      const RunOutcome outcome = RunScenario(row.scenario);
      verdicts.push_back(Describe(outcome.result));
      if (!outcome.result.retryFromStart) {
        EXPECT_EQ(1, outcome.record.hdcpSetOk);
        break;
      }
      ExpectRecord(FailedCoppRecord(kCallerVendor, kCallerDevice, 1), outcome.record);
    }
    std::vector<std::string> expected(row.retries, Describe(retry));
    expected.push_back(Describe(ok));
    EXPECT_EQ(expected, verdicts);
    ExpectSessionAndGraphClosed();
  }
}

TEST_F(RetryThenSucceed, RetryAskedForInTheMiddleOfTheCollectionRepeatsTheRun) {
  // The HDCP set command asks for a fresh start: the wait and the reads after it are skipped.
  const RunOutcome outcome =
      RunScenario("connector=5;protection=5;commandFault=1;commandFaultResult=0xC026251E");
  DWORD setAt = 0, failedAt = 0;
  for (const auto& entry : TimedLog()) {
    if (entry.second == "COPP_HDCP_Level1") setAt = entry.first;
    if (entry.second == "COPP通信テストに失敗しました") failedAt = entry.first;
  }
  ASSERT_NE(0u, setAt);
  ASSERT_NE(0u, failedAt);
  EXPECT_LT(failedAt - setAt, 500u);
  EXPECT_EQ(Describe(Flags({&R::displayNg, &R::ngCopp, &R::retryFromStart})), Describe(outcome.result));
  const Lines hdcpSet = HdcpSetTest(0, {});
  const Lines expected =
      Concat({RunHead(kCallerVendor, kCallerDevice),
              CollectionHead(3, {"COPP_BusType_PCIExpress"}, 5, {"COPP_ConnectorType_HDMI"}, 5,
                             {"COPP_ProtectionType_HDCP", "COPP_ProtectionType_CGMSA"}),
              Lines(hdcpSet.begin(), hdcpSet.begin() + 6),  // up to the set command
              {"ProtectionCommand()に失敗 hr = c026251e", "COPP通信テストに失敗しました",
               "最初からリトライが必要です"},
              FlowTail("CoppUnusableWithRetry")});
  EXPECT_EQ(JoinLines(expected), JoinLines(outcome.log));
  ExpectSessionAndGraphClosed();
}

using ShortAnswer = SimulatedDriverRun;

// Regression: a connector answer without data read as 0, the VGA terminal,
// and turned an HDMI output into a downscaled verdict.
TEST_F(ShortAnswer, EmptyConnectorAnswerIsNoAnswerNotTheVgaTerminal) {
  const RunOutcome outcome = RunScenario("connector=5;protection=1;statusFault=3;statusFaultSize=0");
  EXPECT_EQ(Describe(Flags({&R::displayOk})), Describe(outcome.result));
  ExpectRecord(ExpectedRecord(kCallerVendor, kCallerDevice, 3, 5, 1, 1), outcome.record);
  const Lines expected =
      Concat({RunHead(kCallerVendor, kCallerDevice),
              {" --------- COPP通信テスト ---------", "Connector Typeの取得データ = 00000005",
               "COPP_ConnectorType_HDMI", " --------- COPPによるデータの収集 ---------"},
              Query("Bus Type", 3, {"COPP_BusType_PCIExpress"}),
              Query("Protection Type", 1, {"COPP_ProtectionType_HDCP"}),
              HdcpSetTest(1, {"COPP_HDCP_Level1"}),
              FlowTail("HdmiWithHdcp")});
  EXPECT_EQ(JoinLines(expected), JoinLines(outcome.log));
}

}  // namespace
