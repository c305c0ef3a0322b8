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
  const Lines expected = Concat({RunHead(kCallerVendor, kCallerDevice),
                                 {"KeyExchange()に失敗 hr = 8004029b", "COPPの初期化に失敗しました"},
                                 FlowTail("CoppUnusable")});
  EXPECT_EQ(JoinLines(expected), JoinLines(outcome.log));
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
  using R = JudgeResult;
  const bool allTake[5] = {true, true, true, true, true};
  const bool fourFails[5] = {true, true, true, true, false};
  const auto record = [](uint32_t bus, uint32_t connector, uint32_t mask, int hdcpSetOk, int cgmsaLevelsOk) {
    return ExpectedRecord(kCallerVendor, kCallerDevice, bus, connector, mask, hdcpSetOk, cgmsaLevelsOk);
  };
  const DisplayCheckRecord retried = FailedCoppRecord(kCallerVendor, kCallerDevice, 1);
  const JudgeResult retry = Flags({&R::displayNg, &R::ngCopp, &R::retryFromStart});
  return {
      {"HdmiWithHdcp", "bus=3;connector=5;protection=1",
       Concat({CollectionHead(3, {"COPP_BusType_PCIExpress"}, 5, {"COPP_ConnectorType_HDMI"}, 1,
                              {"COPP_ProtectionType_HDCP"}),
               HdcpSetTest(1, {"COPP_HDCP_Level1"}), FlowTail("HdmiWithHdcp")}),
       record(3, 5, 1, 1, 0), Flags({&R::displayOk})},
      {"HdmiWithoutHdcpButCgmsa", "bus=3;connector=5;protection=5;hdcpTakes=0",
       Concat({CollectionHead(3, {"COPP_BusType_PCIExpress"}, 5, {"COPP_ConnectorType_HDMI"}, 5,
                              {"COPP_ProtectionType_HDCP", "COPP_ProtectionType_CGMSA"}),
               HdcpSetTest(0, {"COPP_HDCP_Level0"}), CgmsaSetTest(allTake),
               FlowTail("HdmiWithoutHdcpButCgmsa")}),
       record(3, 5, 5, 0, 4), Flags({&R::displayOk, &R::displayNg, &R::ngHdcp})},
      {"Vga", "bus=4;connector=0;protection=4",
       CgmsaOnly(4, "COPP_BusType_AGP", 0, "COPP_ConnectorType_VGA", allTake, FlowTail("Vga", false)),
       record(4, 0, 4, 0, 4), Flags({&R::displayDownscaled, &R::analogVgaOutput})},
      {"InternalConnector", "bus=0x80000003;connector=0x80000007;protection=0",
       Concat({CollectionHead(0x80000003, {"COPP_BusType_PCIExpress(Integrated)"}, 0x80000007,
                              {"COPP_ConnectorType_TMDS(Internal)"}, 0, {"COPP_ProtectionType_None"}),
               FlowTail("InternalTmds")}),
       record(0x80000003, 0x80000007, 0, 0, 0), Flags({&R::displayOk})},
      {"SVideoWithCgmsaLevel4NotTaking", "bus=1;connector=1;protection=4;cgmsaTakes=0x7",
       CgmsaOnly(1, "COPP_BusType_PCI", 1, "COPP_ConnectorType_SVideo", fourFails,
                 FlowTail("SVideoWithoutCgmsa", false)),
       record(1, 1, 4, 0, 0), Flags({&R::displayNg, &R::ngCgmsa})},
      {"LevelWithBit31CountsAsTaken", "bus=3;connector=4;protection=1;levelBits=0x80000000",
       Concat({CollectionHead(3, {"COPP_BusType_PCIExpress"}, 4, {"COPP_ConnectorType_DVI"}, 1,
                              {"COPP_ProtectionType_HDCP"}),
               HdcpSetTest(0x80000001, {}), FlowTail("HdmiWithHdcp")}),
       record(3, 4, 1, 1, 0), Flags({&R::displayOk})},
      {"SessionStartAsksForRetry", "sessionStart=0xC026251E",
       Concat({{"SessionSequenceStart()に失敗 hr = c026251e", "COPPの初期化に失敗しました",
                "最初からリトライが必要です"},
               FlowTail("CoppUnusableWithRetry")}),
       retried, retry},
      {"FirstConnectorQueryAsksForRetry", "firstConnectorQuery=0xC026251E",
       Concat({{" --------- COPP通信テスト ---------", "ProtectionStatus()に失敗 hr = c026251e",
                "COPP通信テストに失敗しました", "最初からリトライが必要です"},
               FlowTail("CoppUnusableWithRetry")}),
       retried, retry},
  };
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
    EXPECT_EQ(JoinLines(Concat({RunHead(kCallerVendor, kCallerDevice), c.log})), JoinLines(outcome.log));
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
  const Lines expected = Concat({RunHead(kCallerVendor, kCallerDevice),
                                 {"キーコンテナの作成に失敗 error = 80090016", "COPPの初期化に失敗しました"},
                                 FlowTail("CoppUnusable")});
  EXPECT_EQ(JoinLines(expected), JoinLines(outcome.log));
  ExpectSessionAndGraphClosed();
}

}  // namespace
