// The real program under Wine, driven from outside as a person would.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "tests/e2e/e2e_support.h"
#include "tests/e2e/save_dialog_driver.h"
#include "tools/window_reading/debug_output_listener.h"

namespace {

TEST_F(CheckerAppTest, StartPageHasItsClassSizeAndButtons) {
  CheckerProcess checker(kProgram);
  ASSERT_TRUE(checker.Started());
  const HWND window = checker.WaitForMainWindow(kShowTimeout);
  ASSERT_TRUE(window);
  Sleep(500);
  char className[64] = {};
  GetClassNameA(window, className, sizeof(className));
  EXPECT_STREQ(className, "wznCheckerClass");
  const SIZE client = ClientSize(window);
  EXPECT_EQ(client.cx, 940);
  EXPECT_EQ(client.cy, 450);
  EXPECT_EQ(WindowTextOf(window), "　ソラリオ　");

  ExpectRect(window, IDC_START_CHECK, 365, 358, 210, 40);
  ExpectRect(window, IDC_EXIT, 883, 18, 40, 40);
  ExpectRect(window, IDC_SAVE_REPORT, 725, 400, 200, 36);
  ExpectRect(window, IDC_SHOW_DETAILS, 645, 88, 250, 40);
  ExpectRect(window, IDC_OPEN_SOLUTION, 293, 335, 160, 36);
  ExpectRect(window, IDC_OS_NAME, 198, 205, 260, 30);
  ExpectRect(window, IDC_PROGRESS_TEXT, 450, 422, 100, 15);
  for (int shown : {IDC_START_CHECK, IDC_EXIT}) EXPECT_TRUE(ControlVisible(window, shown)) << shown;
  for (int hidden : {IDC_SAVE_REPORT, IDC_SHOW_DETAILS, IDC_OPEN_SOLUTION, IDC_VIDEO_WINDOW}) {
    EXPECT_FALSE(ControlVisible(window, hidden)) << hidden;
  }
  // The background and the start button's normal look, as the pictures hold them.
  ExpectPicture(window, IDB_START_PAGE, 0, 0, 360, 150);
  ExpectPicture(window, IDB_START_BUTTON, 365, 358, 210, 40);
  SaveArtifact(window, "start-page");
}

TEST_F(CheckerAppTest, PointerOverAButtonShowsItsHoverLookUntilItLeaves) {
  CheckerProcess checker(kProgram);
  const HWND window = checker.WaitForMainWindow(kShowTimeout);
  ASSERT_TRUE(window);
  Sleep(500);
  const Pixels strip = LoadPictureResource(kProgram, IDB_START_BUTTON);
  ASSERT_EQ(strip.height, 160);
  const RECT button = {365, 358, 575, 398};
  auto showsLook = [&](int look) {
    return CountDifferences(CaptureClient(window, button), PictureRows(strip, look * 40, 40), 210, 40) == 0;
  };
  EXPECT_TRUE(showsLook(0));

  POINT over = {470, 378};
  ClientToScreen(window, &over);
  ASSERT_TRUE(XMovePointer(over));
  EXPECT_TRUE(WaitUntil([&] { return showsLook(2); }, 3000)) << "pointer over: image 2";
  CURSORINFO cursor = {};
  cursor.cbSize = sizeof(cursor);
  GetCursorInfo(&cursor);
  EXPECT_NE(cursor.hCursor, nullptr);

  POINT away = {100, 420};
  ClientToScreen(window, &away);
  ASSERT_TRUE(XMovePointer(away));
  EXPECT_TRUE(WaitUntil([&] { return showsLook(0); }, 3000)) << "pointer gone: image 0";
  GetCursorInfo(&cursor);
  EXPECT_NE(cursor.hCursor, nullptr) << "leaving a button must not take the pointer away";
}

TEST_F(CheckerAppTest, SecondStartBringsTheFirstWindowToTheFrontAndEnds) {
  CheckerProcess first(kProgram);
  const HWND window = first.WaitForMainWindow(kShowTimeout);
  ASSERT_TRUE(window);
  const HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(other);
  WaitUntil([&] { return GetForegroundWindow() == other; }, 2000);

  CheckerProcess second(kProgram);
  DWORD exitCode = 1;
  ASSERT_TRUE(second.WaitForExit(kShowTimeout, &exitCode));
  EXPECT_EQ(exitCode, 0u);
  EXPECT_TRUE(ProcessWindows(second.ProcessId(), "wznCheckerClass").empty());
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, 3000));
  DestroyWindow(other);
}

TEST_F(CheckerAppTest, UnsupportedWindowsVersionsAreRefusedWithTheBox) {
  for (const char* version : {"winxp", "win8", "win2008"}) {
    ScopedWindowsVersion asVersion("qorChecker.exe", version);
    CheckerProcess checker(kProgram);
    const HWND box = checker.WaitForMessageBox(kShowTimeout);
    ASSERT_TRUE(box) << version;
    EXPECT_EQ(MessageBoxText(box), kUnsupportedOs) << version;
    EXPECT_EQ(WindowTextOf(box), "ソラリオ") << version;
    EXPECT_TRUE(ProcessWindows(checker.ProcessId(), "wznCheckerClass").empty()) << version;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(checker.WaitForExit(10000)) << version;
  }
}

// When each judgement-log message that starts with `prefix` arrived, in ms.
std::vector<DWORD> TraceTimes(const std::vector<DebugOutputListener::Message>& log, const std::string& prefix) {
  std::vector<DWORD> times;
  for (const DebugOutputListener::Message& message : log) {
    if (message.text.rfind(prefix, 0) == 0) times.push_back(message.tick);
  }
  return times;
}

struct SeamedCase {
  const char* name;
  const char* scenario;
  const char* cpuName;   // null: what WMI says
  const char* memoryMb;  // null: what WMI says
  const char* memoryText;
  const char* memoryStatus;
  int memoryMark;
  const char* cpuMessage;
  int displayMark;
  int banner;
  bool detailsEnabled;
};

class SeamedVerdictTest : public CheckerAppTest, public ::testing::WithParamInterface<SeamedCase> {};

const std::string kSeamedProgram = WindowsPath(SEAMED_CHECKER_EXE);
const char kPentium4[] = "Intel(R) Pentium(R) 4 CPU 3.00GHz 3.00 GHz";

TEST_P(SeamedVerdictTest, ProcessorAndMemoryDecideTheBanner) {
  const SeamedCase& c = GetParam();
  UseSimulatedDriver();
  std::vector<std::string> environment = {Scenario(c.scenario)};
  if (c.cpuName) environment.push_back(std::string("SOLARIO_TEST_CPU_NAME=") + c.cpuName);
  if (c.memoryMb) environment.push_back(std::string("SOLARIO_TEST_MEMORY_MB=") + c.memoryMb);
  CheckerProcess checker(kSeamedProgram, environment);
  const HWND window = checker.WaitForMainWindow(kShowTimeout);
  ASSERT_TRUE(window);
  RunCheck(window);

  EXPECT_EQ(ControlText(window, IDC_MEMORY_TEXT), c.memoryText);
  EXPECT_EQ(ControlText(window, IDC_MEMORY_STATUS), c.memoryStatus);
  EXPECT_EQ(ControlText(window, IDC_CPU_MESSAGE), c.cpuMessage);
  EXPECT_EQ(ControlEnabled(window, IDC_SHOW_DETAILS), c.detailsEnabled);
  ExpectPicture(window, c.memoryMark, 497, 204, 50, 50);
  ExpectPicture(window, c.displayMark, 57, 309, 50, 50);
  ExpectPicture(window, c.banner, 150, 78, 480, 60);
  if (*c.cpuMessage) ExpectPicture(window, IDB_MARK_CROSS_CAPTION, 497, 309, 135, 50);
  SaveArtifact(window, (std::string("result-") + c.name).c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SeamedVerdictTest,
    ::testing::Values(
        SeamedCase{"pentium4-high-definition", "connector=5;protection=5", kPentium4, "4096", "4096 MB",
                   "推奨環境です", IDB_MARK_DOUBLE_CIRCLE, "対応外のCPUです", IDB_MARK_DOUBLE_CIRCLE,
                   IDB_BANNER_UNSUITABLE, true},
        SeamedCase{"vga-1024mb", "bus=4;connector=0;protection=4", nullptr, "1024", "1024 MB",
                   "メモリの増設が必要です  2048MB 以上必要です", IDB_MARK_CROSS, "", IDB_MARK_CIRCLE,
                   IDB_BANNER_UNSUITABLE, false},
        SeamedCase{"vga-4096mb", "bus=4;connector=0;protection=4", nullptr, "4096", "4096 MB", "推奨環境です",
                   IDB_MARK_DOUBLE_CIRCLE, "", IDB_MARK_CIRCLE, IDB_BANNER_LIMITED, true},
        SeamedCase{"high-definition-2048mb", "connector=5;protection=5", nullptr, "2048", "2048 MB", "必須環境です",
                   IDB_MARK_CIRCLE, "", IDB_MARK_DOUBLE_CIRCLE, IDB_BANNER_SUITABLE, true}),
    [](const ::testing::TestParamInfo<SeamedCase>& info) {
      std::string name = info.param.name;
      for (char& ch : name) ch = ch == '-' ? '_' : ch;
      return name;
    });

TEST_F(CheckerAppTest, RetryAskedOnEveryRunWarnsAfterTheVerdict) {
  UseSimulatedDriver();
  DebugOutputListener trace;
  ASSERT_TRUE(trace.Listening());
  CheckerProcess checker(kProgram, {Scenario("sessionStart=0xC026251E")});
  trace.Follow(checker.ProcessId());
  const HWND window = checker.WaitForMainWindow(kShowTimeout);
  ASSERT_TRUE(window);
  PressButton(window, IDC_START_CHECK);
  const HWND box = checker.WaitForMessageBox(kVerdictTimeout);
  ASSERT_TRUE(box);
  // By the time the box shows, the result page is already there.
  EXPECT_TRUE(OnResultPage(window));
  EXPECT_EQ(ControlText(window, IDC_DISPLAY_MESSAGE), "グラフィック機能がCOPPに対応していません");
  EXPECT_EQ(MessageBoxText(box), kRetryWarning);
  EXPECT_EQ(WindowTextOf(box), "ソラリオ for UT-750");
  EXPECT_EQ(GetWindow(box, GW_OWNER), window);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return ProcessWindows(checker.ProcessId(), "#32770").empty(); }, 5000));
  EXPECT_TRUE(ControlVisible(window, IDC_OPEN_SOLUTION));

  // Four runs: the first one timer tick after the start, then three more,
  // each at least 500 ms after the run before it ended.
  const std::vector<DebugOutputListener::Message> log = trace.Messages();
  const std::vector<DWORD> started = TraceTimes(log, "VendorId = ");
  const std::vector<DWORD> runs = TraceTimes(log, "DD7VGA情報");
  const std::vector<DWORD> retries = TraceTimes(log, "最初からリトライが必要です");
  ASSERT_EQ(runs.size(), 4u);
  ASSERT_EQ(retries.size(), 4u);
  ASSERT_FALSE(started.empty());
  EXPECT_GE(runs[0] - started[0], 100u);
  for (size_t i = 1; i < runs.size(); ++i) {
    EXPECT_GE(runs[i] - retries[i - 1], 490u) << "run " << i;
    EXPECT_LT(runs[i] - retries[i - 1], 1500u) << "run " << i;
  }
}

TEST_F(CheckerAppTest, SolutionPageIsBelowAFolderWhoseNameEndsIn0x5C) {
  // 表 is 0x95 0x5C and ソ is 0x83 0x5C in code page 932.
  const std::string folder = TempFolder() + "表示ソ";
  ScopedProgramCopy copy(kProgram, folder);
  ASSERT_TRUE(copy.Copied());
  ScopedBrowserRecorder recorder(kRecorder, TempFolder() + "iexplore-cp932.txt");
  ASSERT_TRUE(recorder.Installed());

  CheckerProcess checker(copy.Path(), {Scenario("")});
  const HWND window = checker.WaitForMainWindow(kShowTimeout);
  ASSERT_TRUE(window);
  RunCheck(window);
  PressButton(window, IDC_OPEN_SOLUTION);
  ASSERT_TRUE(recorder.WaitForRecord(20000));
  EXPECT_EQ(recorder.Recorded(), "\"" + folder + "\\GUIDE\\error01.htm\"\n");
}

}  // namespace
