// One row per thing a graphics driver can answer: the real program (its test
// build, whose processor and memory answers are fixed) is started, clicked
// and typed at, and everything a person sees, saves and is sent to is
// checked, together with the whole judgement log.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "judge/display_check_record.h"
#include "tests/e2e/e2e_support.h"
#include "tests/e2e/save_dialog_driver.h"
#include "tests/e2e/system_texts.h"
#include "tests/graph_support/test_windows.h"
#include "tests/judge/run_log_expectations.h"
#include "tests/support/golden_file.h"
#include "tools/window_reading/debug_output_listener.h"

namespace {

const std::string kSeamedProgram = WindowsPath(SEAMED_CHECKER_EXE);
const char kCpuName[] = "Intel(R) Core(TM)2 Duo CPU E8400 @ 3.00GHz";

// What the person sees and saves at the end: shared by the rows that end alike.
struct Outcome {
  int displayMark;
  int banner;
  bool solutionVisible;
  bool detailsEnabled;
  const char* solutionPage;  // below the program's folder; null: no button
  const char* report;        // tests/golden/reports/<report>.txt
  std::string displayMessage;
};

struct MatrixRow {
  const char* name;
  const char* scenario;     // null: the platform's renderer
  std::vector<Lines> runs;  // what each run of the check logs after its head
  Outcome outcome;          // of the last run
};

const bool kAllTake[5] = {true, true, true, true, true};
const bool kFourFails[5] = {true, true, true, true, false};

const Lines kHdmiHdcpCgmsaHead =
    CollectionHead(3, {"COPP_BusType_PCIExpress"}, 5, {"COPP_ConnectorType_HDMI"}, 5,
                   {"COPP_ProtectionType_HDCP", "COPP_ProtectionType_CGMSA"});

Lines HdmiWithHdcp() {
  return Concat({kHdmiHdcpCgmsaHead, HdcpSetTest(1, {"COPP_HDCP_Level1"}), CgmsaSetTest(kAllTake),
                 FlowTail("HdmiWithHdcpAndCgmsa")});
}

// A set test whose last read-back the driver fails: its two lines become the failure's one.
Lines LastReadBackFailing(Lines lines, const char* failure) {
  lines.resize(lines.size() - 2);
  lines.push_back(failure);
  return lines;
}

const Lines kSessionStartAsksForRetry = {"SessionSequenceStart()に失敗 hr = c026251e",
                                         "COPPの初期化に失敗しました", "最初からリトライが必要です"};

std::vector<MatrixRow> MatrixRows() {
  // clang-format off
  const Outcome highDefinition = {IDB_MARK_DOUBLE_CIRCLE, IDB_BANNER_SUITABLE, false, true, nullptr,
                                  "high_definition", HighDefinitionMessage()};
  const Outcome noHdcp = {IDB_MARK_CROSS, IDB_BANNER_UNSUITABLE, true, false, "\\GUIDE\\error03-1.htm",
                          "hdcp_missing", "グラフィック環境もしくはディスプレイがHDCPに対応していません"};
  const Outcome noCopp = {IDB_MARK_CROSS, IDB_BANNER_UNSUITABLE, true, false, "\\GUIDE\\error01.htm",
                          "copp_missing", "グラフィック機能がCOPPに対応していません"};
  const Outcome downscaled = {IDB_MARK_CIRCLE, IDB_BANNER_LIMITED, true, true, "\\GUIDE\\error06.htm",
                              "downscaled_analog", "52万画素ダウンスケーリングにて表示されます"};
  const Outcome noCgmsa = {IDB_MARK_CROSS, IDB_BANNER_UNSUITABLE, true, false, "\\GUIDE\\error05.htm",
                           "cgmsa_missing", "グラフィック環境がCGMSに対応していません"};
  // clang-format on
  return {
      {"hdmi_with_hdcp", "connector=5;protection=5", {HdmiWithHdcp()}, highDefinition},
      {"internal_connector",
       "bus=0x80000003;connector=0x80000007;protection=0",
       {Concat({CollectionHead(0x80000003, {"COPP_BusType_PCIExpress(Integrated)"}, 0x80000007,
                               {"COPP_ConnectorType_TMDS(Internal)"}, 0, {"COPP_ProtectionType_None"}),
                FlowTail("InternalTmds")})},
       highDefinition},
      // Factor 9 wins over the CGMS-A path that also says yes.
      {"hdmi_without_hdcp_with_cgmsa",
       "connector=5;protection=5;hdcpTakes=0",
       {Concat({kHdmiHdcpCgmsaHead, HdcpSetTest(0, {"COPP_HDCP_Level0"}), CgmsaSetTest(kAllTake),
                FlowTail("HdmiWithoutHdcpButCgmsa")})},
       noHdcp},
      {"vga_downscaled",
       "bus=4;connector=0;protection=4",
       {CgmsaOnly(4, "COPP_BusType_AGP", 0, "COPP_ConnectorType_VGA", kAllTake, FlowTail("Vga", false))},
       downscaled},
      {"svideo_cgmsa_level4_not_taking",
       "bus=1;connector=1;protection=4;cgmsaTakes=0x7",
       {CgmsaOnly(1, "COPP_BusType_PCI", 1, "COPP_ConnectorType_SVideo", kFourFails,
                  FlowTail("SVideoWithoutCgmsa", false))},
       noCgmsa},
      // D-JPN is analog: every CGMS-A level taking is what makes it good.
      {"djpn_all_cgmsa_levels",
       "bus=3;connector=8;protection=4",
       {CgmsaOnly(3, "COPP_BusType_PCIExpress", 8, "COPP_ConnectorType_D_JPN", kAllTake,
                  FlowTail("DJpnAsksCgmsa"))},
       highDefinition},
      // The bus only changes one answer of the log.
      {"pci_bus_hdmi_with_hdcp",
       "bus=1;connector=5;protection=1",
       {Concat({CollectionHead(1, {"COPP_BusType_PCI"}, 5, {"COPP_ConnectorType_HDMI"}, 1,
                               {"COPP_ProtectionType_HDCP"}),
                HdcpSetTest(1, {"COPP_HDCP_Level1"}), FlowTail("HdmiWithHdcp", false)})},
       highDefinition},
      {"platform_renderer_without_copp",
       nullptr,
       {Concat(
           {{"KeyExchange()に失敗 hr = 8004029b", "COPPの初期化に失敗しました"}, FlowTail("CoppUnusable")})},
       noCopp},
      // The driver asks for a fresh start once; the repeat 500 ms later is good.
      {"retry_asked_once_then_good",
       "connector=5;protection=5;sessionStart=0xC026251E;sessionStartRuns=1",
       {Concat({kSessionStartAsksForRetry, FlowTail("CoppUnusableWithRetry")}), HdmiWithHdcp()},
       highDefinition},
      // The read-back after switching HDCP on fails: HDCP did not take, CGMS-A still did.
      {"hdcp_read_back_fails",
       "connector=5;protection=5;statusFault=8;statusFaultResult=0x80004005",
       {Concat({kHdmiHdcpCgmsaHead,
                LastReadBackFailing(HdcpSetTest(0, {"COPP_HDCP_Level0"}),
                                    "ProtectionStatus()に失敗 hr = 80004005"),
                CgmsaSetTest(kAllTake), FlowTail("HdmiWithoutHdcpButCgmsa")})},
       noHdcp},
  };
}

struct StartLines {
  uint32_t vendor = 0;
  uint32_t device = 0;
  bool wellFormed = false;
};

// The start handler's three lines: the ids of the display device and the two
// video-memory figures, whose values the probe tests pin.
StartLines ReadStartLines(const Lines& log) {
  StartLines start;
  int vmb = 0, vmb2 = 0;
  unsigned vendor = 0, device = 0;
  char tail = 0;
  start.wellFormed =
      log.size() >= 3 &&
      sscanf(log[0].c_str(), "VendorId = %08x DeviceId = %08x%c", &vendor, &device, &tail) == 2 &&
      log[0].size() == 39 && sscanf(log[1].c_str(), "vmb  = %d%c", &vmb, &tail) == 1 &&
      sscanf(log[2].c_str(), "vmb2 = %d%c", &vmb2, &tail) == 1;
  start.vendor = vendor;
  start.device = device;
  return start;
}

// The OS as the report names it: the caption, a blank and the service pack.
std::string OsName() {
  return WmiText(L"Win32_OperatingSystem", L"Caption") + " " +
         WmiText(L"Win32_OperatingSystem", L"CSDVersion");
}

// What the saved report must hold, from what the test itself knows: the row's
// golden report, the fixed processor and memory, and what Windows reports.
std::string ExpectedReport(const MatrixRow& row, const std::string& checkTime) {
  // The prefix has one display adapter, so whichever the window is on, it is this one.
  return GoldenText(std::string("reports/") + row.outcome.report + ".txt",
                    {{"CHECK_TIME", checkTime},
                     {"OS", OsName()},
                     {"CPU", kCpuName},
                     {"GRAPHICS", WmiText(L"Win32_VideoController", L"Name")},
                     {"VERSION", FileVersionText(kSeamedProgram)}});
}

// This machine's local time to the minute, as the report writes its check time.
std::string LocalMinute() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[32];
  snprintf(text, sizeof(text), "%04u/%02u/%02u %02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
           now.wMinute);
  return text;
}

// The check time at the end of the report's first line when it lies between
// the test's own clock readings around the check, which sort as they read;
// otherwise the earliest reading, which then shows as the difference.
std::string CheckTime(const std::string& report, const std::string& earliest, const std::string& latest) {
  const size_t end = report.find("\r\n");
  const std::string time =
      end != std::string::npos && end >= 16 ? report.substr(end - 16, 16) : std::string();
  return time >= earliest && time <= latest ? time : earliest;
}

class ScenarioMatrixTest : public CheckerAppTest, public ::testing::WithParamInterface<MatrixRow> {
 protected:
  ScopedComApartment com_;
};

TEST_P(ScenarioMatrixTest, WhatThePersonSeesSavesAndIsSentTo) {
  const MatrixRow& row = GetParam();
  if (row.scenario) UseSimulatedDriver();
  ScopedBrowserRecorder recorder(kRecorder, kArtifacts + "\\iexplore-" + row.name + ".txt");
  ASSERT_TRUE(recorder.Installed());
  DebugOutputListener trace;
  ASSERT_TRUE(trace.Listening());

  CheckerProcess checker(kSeamedProgram,
                         {Scenario(row.scenario ? row.scenario : ""),
                          std::string("SOLARIO_TEST_CPU_NAME=") + kCpuName, "SOLARIO_TEST_MEMORY_MB=4096"});
  trace.Follow(checker.ProcessId());
  const HWND window = checker.WaitForMainWindow(kShowTimeout);
  ASSERT_TRUE(window);
  const std::string beforeCheck = LocalMinute();
  RunCheck(window);

  // Texts and buttons.
  const std::pair<int, std::string> texts[] = {{IDC_OS_NAME, OsName()},
                                               {IDC_MEMORY_TEXT, "4096 MB"},
                                               {IDC_DISPLAY_MESSAGE, row.outcome.displayMessage},
                                               {IDC_CPU_MESSAGE, ""},
                                               {IDC_OS_STATUS, "対応しています"},
                                               {IDC_MEMORY_STATUS, "推奨環境です"}};
  for (const auto& [id, text] : texts) EXPECT_EQ(ControlText(window, id), text) << id;
  for (int id : {IDC_START_CHECK, IDC_PROGRESS_TEXT}) EXPECT_FALSE(ControlVisible(window, id)) << id;
  for (int id : {IDC_EXIT, IDC_SAVE_REPORT, IDC_SHOW_DETAILS}) EXPECT_TRUE(ControlVisible(window, id)) << id;
  EXPECT_EQ(ControlEnabled(window, IDC_SHOW_DETAILS), row.outcome.detailsEnabled);
  EXPECT_EQ(ControlVisible(window, IDC_OPEN_SOLUTION), row.outcome.solutionVisible);

  // Marks and banner.
  ExpectPicture(window, IDB_RESULT_PAGE, 0, 0, 140, 70);
  const std::pair<const char*, int> pictures[] = {{"os", IDB_MARK_DOUBLE_CIRCLE},
                                                  {"memory", IDB_MARK_DOUBLE_CIRCLE},
                                                  {"display", row.outcome.displayMark},
                                                  {"banner", row.outcome.banner}};
  for (const auto& [slot, bitmapId] : pictures) {
    const GoldenRect at = GoldenRects("result_page_pictures.txt")[slot];
    ExpectPicture(window, bitmapId, at.x, at.y, at.width, at.height);
  }
  // Every display message fits the two lines its 30-pixel static shows.
  const int lowestInk = LowestInkRow(window, IDB_RESULT_PAGE, kDisplayMessageLeft);
  EXPECT_GE(lowestInk, 0) << "no display message painted";
  EXPECT_LT(lowestInk, 2 * DialogFaceLineHeight()) << "the display message runs onto a third line";
  SaveArtifact(window, (std::string("result-") + row.name).c_str());

  // The judgement log, whole and in order.
  Lines log;
  for (const DebugOutputListener::Message& message : trace.Messages()) log.push_back(message.text);
  const StartLines start = ReadStartLines(log);
  ASSERT_TRUE(start.wellFormed) << JoinLines(log);
  Lines expected(log.begin(), log.begin() + 3);
  for (const Lines& run : row.runs) expected = Concat({expected, RunHead(start.vendor, start.device), run});
  EXPECT_EQ(JoinLines(log), JoinLines(expected));

  // The report, saved through the real dialog.
  const std::string path = TempFolder() + "solario-" + row.name + ".txt";
  DeleteFileA(path.c_str());
  ASSERT_TRUE(XClickControl(window, IDC_SAVE_REPORT));
  const HWND save = WaitForSaveDialog(checker.ProcessId(), kShowTimeout);
  ASSERT_TRUE(save);
  ASSERT_TRUE(TypeIntoSaveDialog(save, path));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(save) && !ReadFileBytes(path).empty(); }, kShowTimeout));
  Sleep(200);
  const std::string report = ReadFileBytes(path);
  EXPECT_EQ(report, ExpectedReport(row, CheckTime(report, beforeCheck, LocalMinute())));
  DeleteFileA(path.c_str());

  // The guide page.
  if (row.outcome.solutionPage) {
    ASSERT_TRUE(XClickControl(window, IDC_OPEN_SOLUTION));
    ASSERT_TRUE(recorder.WaitForRecord(20000));
    const std::string folder = kSeamedProgram.substr(0, kSeamedProgram.rfind('\\'));
    EXPECT_EQ(recorder.Recorded(), "\"" + folder + row.outcome.solutionPage + "\"\n");
  }
}

// A failing row names itself; its bytes say nothing.
void PrintTo(const MatrixRow& row, std::ostream* out) { *out << row.name; }

INSTANTIATE_TEST_SUITE_P(Rows, ScenarioMatrixTest, ::testing::ValuesIn(MatrixRows()),
                         [](const ::testing::TestParamInfo<MatrixRow>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
