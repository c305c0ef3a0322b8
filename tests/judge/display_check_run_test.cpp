#include "judge/display_check_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "copp/copp_session.h"
#include "tests/judge/display_check_run_support.h"

namespace {

TEST_F(DisplayCheckRun, PlatformRendererWithoutCoppHardwareEndsAtFactor7) {
  const RunOutcome outcome = Run();
  EXPECT_EQ(1, outcome.answer);
  Lines expected = RunHead(kCallerVendor, kCallerDevice);
  expected.push_back("KeyExchange()に失敗 hr = 8004029b");
  expected.push_back("COPPの初期化に失敗しました");
  Append(&expected, FlowTail("CoppUnusable"));
  EXPECT_EQ(Join(expected), Join(outcome.log));
  EXPECT_EQ(Describe(Flags({&JudgeResult::displayNg, &JudgeResult::ngCopp})), Describe(outcome.result));
  ExpectRecord(FailedCoppRecord(kCallerVendor, kCallerDevice, 0), outcome.record);
}

struct SimCase {
  const char* name;
  const char* scenario;
  Lines log;  // after the head
  DisplayCheckRecord record;
  JudgeResult result;
};

std::vector<SimCase> SimCases() {
  std::vector<SimCase> cases;
  const bool allTake[5] = {true, true, true, true, true};
  const bool fourFails[5] = {true, true, true, true, false};
  {
    Lines log = CollectionHead(3, {"COPP_BusType_PCIExpress"}, 5, {"COPP_ConnectorType_HDMI"}, 1,
                               {"COPP_ProtectionType_HDCP"});
    Append(&log, HdcpSetTest(1, {"COPP_HDCP_Level1"}));
    Append(&log, FlowTail("HdmiWithHdcp"));
    DisplayCheckRecord record = ExpectedRecord(kCallerVendor, kCallerDevice, 3, 5, 1);
    record.hdcpSetOk = 1;
    cases.push_back(
        {"HdmiWithHdcp", "bus=3;connector=5;protection=1", log, record, Flags({&JudgeResult::displayOk})});
  }
  {
    Lines log = CollectionHead(3, {"COPP_BusType_PCIExpress"}, 5, {"COPP_ConnectorType_HDMI"}, 5,
                               {"COPP_ProtectionType_HDCP", "COPP_ProtectionType_CGMSA"});
    Append(&log, HdcpSetTest(0, {"COPP_HDCP_Level0"}));
    Append(&log, CgmsaSetTest(allTake));
    Append(&log, FlowTail("HdmiWithoutHdcpButCgmsa"));
    DisplayCheckRecord record = ExpectedRecord(kCallerVendor, kCallerDevice, 3, 5, 5);
    record.cgmsaLevelsOk = 4;
    cases.push_back({"HdmiWithoutHdcpButCgmsa", "bus=3;connector=5;protection=5;hdcpTakes=0", log, record,
                     Flags({&JudgeResult::displayOk, &JudgeResult::displayNg, &JudgeResult::ngHdcp})});
  }
  {
    Lines log = CollectionHead(4, {"COPP_BusType_AGP"}, 0, {"COPP_ConnectorType_VGA"}, 4,
                               {"COPP_ProtectionType_CGMSA"});
    Append(&log, CgmsaSetTest(allTake));
    Append(&log, FlowTail("Vga", false));
    DisplayCheckRecord record = ExpectedRecord(kCallerVendor, kCallerDevice, 4, 0, 4);
    record.cgmsaLevelsOk = 4;
    cases.push_back({"Vga", "bus=4;connector=0;protection=4", log, record,
                     Flags({&JudgeResult::displayDownscaled, &JudgeResult::analogVgaOutput})});
  }
  {
    Lines log = CollectionHead(0x80000003, {"COPP_BusType_PCIExpress(Integrated)"}, 0x80000007,
                               {"COPP_ConnectorType_TMDS(Internal)"}, 0, {"COPP_ProtectionType_None"});
    Append(&log, FlowTail("InternalTmds"));
    cases.push_back({"InternalConnector", "bus=0x80000003;connector=0x80000007;protection=0", log,
                     ExpectedRecord(kCallerVendor, kCallerDevice, 0x80000003, 0x80000007, 0),
                     Flags({&JudgeResult::displayOk})});
  }
  {
    Lines log = CollectionHead(1, {"COPP_BusType_PCI"}, 1, {"COPP_ConnectorType_SVideo"}, 4,
                               {"COPP_ProtectionType_CGMSA"});
    Append(&log, CgmsaSetTest(fourFails));
    Append(&log, FlowTail("SVideoWithoutCgmsa", false));
    cases.push_back({"SVideoWithCgmsaLevel4NotTaking", "bus=1;connector=1;protection=4;cgmsaTakes=0x7", log,
                     ExpectedRecord(kCallerVendor, kCallerDevice, 1, 1, 4),
                     Flags({&JudgeResult::displayNg, &JudgeResult::ngCgmsa})});
  }
  {
    Lines log = CollectionHead(3, {"COPP_BusType_PCIExpress"}, 4, {"COPP_ConnectorType_DVI"}, 1,
                               {"COPP_ProtectionType_HDCP"});
    Append(&log, HdcpSetTest(0x80000001, {}));
    Append(&log, FlowTail("HdmiWithHdcp"));
    DisplayCheckRecord record = ExpectedRecord(kCallerVendor, kCallerDevice, 3, 4, 1);
    record.hdcpSetOk = 1;
    cases.push_back({"LevelWithBit31CountsAsTaken", "bus=3;connector=4;protection=1;levelBits=0x80000000",
                     log, record, Flags({&JudgeResult::displayOk})});
  }
  {
    Lines log = {"SessionSequenceStart()に失敗 hr = c026251e", "COPPの初期化に失敗しました",
                 "最初からリトライが必要です"};
    Append(&log, FlowTail("CoppUnusableWithRetry"));
    cases.push_back({"SessionStartAsksForRetry", "sessionStart=0xC026251E", log,
                     FailedCoppRecord(kCallerVendor, kCallerDevice, 1),
                     Flags({&JudgeResult::displayNg, &JudgeResult::ngCopp, &JudgeResult::retryFromStart})});
  }
  {
    Lines log = {" --------- COPP通信テスト ---------", "ProtectionStatus()に失敗 hr = c026251e",
                 "COPP通信テストに失敗しました", "最初からリトライが必要です"};
    Append(&log, FlowTail("CoppUnusableWithRetry"));
    cases.push_back({"FirstConnectorQueryAsksForRetry", "firstConnectorQuery=0xC026251E", log,
                     FailedCoppRecord(kCallerVendor, kCallerDevice, 1),
                     Flags({&JudgeResult::displayNg, &JudgeResult::ngCopp, &JudgeResult::retryFromStart})});
  }
  return cases;
}

TEST_F(SimulatedDriverRun, EveryScenarioGivesItsVerdictAndWholeLog) {
  // The caller's ids stand in the log and the record beside DirectDraw's own.
  uint32_t vendor = 0, device = 0;
  ASSERT_TRUE(DirectDrawDeviceIds(&vendor, &device));
  ASSERT_FALSE(vendor == kCallerVendor && device == kCallerDevice);
  for (const SimCase& c : SimCases()) {
    SCOPED_TRACE(c.name);
    const RunOutcome outcome = RunScenario(c.scenario);
    EXPECT_EQ(1, outcome.answer) << "a verdict, whatever the driver said";
    Lines expected = RunHead(kCallerVendor, kCallerDevice);
    Append(&expected, c.log);
    EXPECT_EQ(Join(expected), Join(outcome.log));
    EXPECT_EQ(Describe(c.result), Describe(outcome.result));
    ExpectRecord(c.record, outcome.record);
  }
}

TEST_F(SimulatedDriverRun, BothMaskBitsRunHdcpFirstAndWaitASecondBeforeCgmsa) {
  const RunOutcome outcome = RunScenario("bus=3;connector=1;protection=5");
  DWORD hdcpSet = 0, cgmsaSet = 0;
  for (const auto& entry : TimedLog()) {
    if (entry.second == "COPP_HDCP_Level1" && !hdcpSet) hdcpSet = entry.first;
    if (entry.second == "CGMSAの設定テスト") cgmsaSet = entry.first;
  }
  ASSERT_NE(0u, hdcpSet);
  ASSERT_NE(0u, cgmsaSet);
  // Tick resolution is coarse; the wait itself is a full second.
  EXPECT_GE(cgmsaSet - hdcpSet, 950u);
  EXPECT_EQ(1, outcome.record.hdcpSetOk);
  EXPECT_EQ(4, outcome.record.cgmsaLevelsOk);
  EXPECT_EQ(Describe(Flags({&JudgeResult::displayOk})), Describe(outcome.result));
}

BOOL WINAPI RefuseKeyContainer(HCRYPTPROV* provider, LPCSTR, LPCSTR, DWORD, DWORD) {
  *provider = 0;
  SetLastError(static_cast<DWORD>(NTE_BAD_KEYSET));
  return FALSE;
}

// The key container is the program's own (a temporary or read-only profile
// refuses it): the run gives no verdict but names it, and the log says why.
TEST_F(SimulatedDriverRun, RefusedKeyContainerIsTheProgramsFaultNotTheGraphics) {
  const KeyContainerAcquirer previous = SetKeyContainerAcquirer(RefuseKeyContainer);
  const RunOutcome outcome = RunScenario("connector=5;protection=5");
  SetKeyContainerAcquirer(previous);
  EXPECT_EQ(0, outcome.answer);
  EXPECT_EQ(OwnPart::kKeyContainer, outcome.ownPartFault.part);
  EXPECT_EQ(0x80090016ul, outcome.ownPartFault.code);
  Lines expected = RunHead(kCallerVendor, kCallerDevice);
  Append(&expected, {"キーコンテナの作成に失敗 error = 80090016", "COPPの初期化に失敗しました"});
  Append(&expected, FlowTail("CoppUnusable"));
  EXPECT_EQ(Join(expected), Join(outcome.log));
  ExpectSessionAndGraphClosed();
}

TEST_F(SimulatedDriverRun, RepeatedRunsStartFromFreshSessionAndGraph) {
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    const RunOutcome outcome = RunScenario("bus=3;connector=5;protection=1");
    EXPECT_EQ(1, outcome.record.hdcpSetOk);
    EXPECT_EQ(Describe(Flags({&JudgeResult::displayOk})), Describe(outcome.result));
  }
}

}  // namespace
