#include "tests/judge/display_check_run_support.h"

#include "copp/copp_session.h"
#include "copp/renderer_graph_state.h"
#include "trace/judge_log.h"

namespace {

std::vector<std::pair<DWORD, std::string>> g_timedLog;
void RecordTimed(const char* message) { g_timedLog.emplace_back(GetTickCount(), message); }

}  // namespace

const std::vector<std::pair<DWORD, std::string>>& TimedLog() { return g_timedLog; }

void ExpectRecord(const DisplayCheckRecord& expected, const DisplayCheckRecord& actual) {
  EXPECT_EQ(expected.vendorId, actual.vendorId);
  EXPECT_EQ(expected.deviceId, actual.deviceId);
  EXPECT_EQ(expected.busType, actual.busType);
  EXPECT_EQ(expected.connectorType, actual.connectorType);
  EXPECT_EQ(expected.protectionTypes, actual.protectionTypes);
  EXPECT_EQ(expected.coppOk, actual.coppOk);
  EXPECT_EQ(expected.hdcpSetOk, actual.hdcpSetOk);
  EXPECT_EQ(expected.cgmsaLevelsOk, actual.cgmsaLevelsOk);
  EXPECT_EQ(expected.retryFromStart, actual.retryFromStart);
}

void ExpectSessionAndGraphClosed() {
  const CoppSession& s = g_coppSession;
  EXPECT_EQ(nullptr, s.m_pCOPP);
  EXPECT_EQ(0u, s.m_hProv.get());
  EXPECT_EQ(0u, s.m_hAesKey.get());
  EXPECT_EQ(nullptr, s.m_hCrypt32.get());
  EXPECT_EQ(nullptr, s.m_pfnCryptStringToBinaryA);
  const RendererGraphState& g = RendererGraph();
  EXPECT_EQ(nullptr, g.g_hwndOwner);
  EXPECT_EQ(nullptr, g.g_hwndVideo);
  EXPECT_EQ(nullptr, g.g_pGB.Get());
  EXPECT_EQ(nullptr, g.g_pMC.Get());
  EXPECT_EQ(nullptr, g.g_pVmr.Get());
  EXPECT_EQ(nullptr, g.g_pWC.Get());
  EXPECT_EQ(0u, g.g_dwRegister);
}

bool ReadSimDriverCensus(const SimRendererDll& dll, SimDriverCensus* census) {
  const HMODULE module = GetModuleHandleW(dll.Path());
  if (!module) return false;
  const auto read = reinterpret_cast<PfnSimRendererDriverCensus>(
      reinterpret_cast<void*>(GetProcAddress(module, "SimRendererDriverCensus")));
  if (!read) return false;
  read(census);
  return true;
}

void DisplayCheckRun::SetUp() {
  ASSERT_TRUE(SUCCEEDED(com_.Result()));
  SetDisplayCheckWindows(windows_.Owner(), windows_.Video());
}

void DisplayCheckRun::TearDown() {
  for (const GraphErrorRecorder::Box& box : GraphErrorRecorder::Boxes()) {
    ADD_FAILURE() << "graph box \"" << box.caption << "\": " << box.text;
  }
  SetDisplayCheckWindows(nullptr, nullptr);
  SetEnvironmentVariableA(kScenarioVariable, nullptr);
}

RunOutcome DisplayCheckRun::Run() {
  RunOutcome outcome;
  g_timedLog.clear();
  JudgeTraceSink previous = SetJudgeTraceSink(RecordTimed);
  outcome.answer =
      RunDisplayCheckOnRecord(&outcome.record, &outcome.result, kCallerVendor, kCallerDevice, &outcome.ownPartFault);
  SetJudgeTraceSink(previous);
  for (const auto& entry : g_timedLog) outcome.log.push_back(entry.second);
  return outcome;
}

void SimulatedDriverRun::SetUp() {
  DisplayCheckRun::SetUp();
  ASSERT_TRUE(simRenderer_.Loaded());
  ASSERT_EQ(S_OK, simRenderer_.Register());
}

void SimulatedDriverRun::TearDown() {
  simRenderer_.Unregister();
  DisplayCheckRun::TearDown();
}

RunOutcome SimulatedDriverRun::RunScenario(const char* scenario) {
  SetEnvironmentVariableA(kScenarioVariable, scenario);
  return Run();
}
