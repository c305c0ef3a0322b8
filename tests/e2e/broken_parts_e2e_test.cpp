// What the program says when something it needs is broken: its own source
// filter, the session it runs in, the browser. Each row sees the box's text,
// caption and owner, and the page after it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/e2e/e2e_support.h"
#include "tools/window_reading/debug_output_listener.h"

namespace {

const std::string kSeamed = WindowsPath(SEAMED_CHECKER_EXE);
const char kTitle[] = "ソラリオ for UT-750";

// The one box the process shows, owned by `window`, which it disables;
// answered with OK. Its text, or "" when no such box came.
std::string AnswerOwnedBox(const CheckerProcess& checker, HWND window) {
  const HWND box = WaitForOwnedDialog(checker.ProcessId(), window, kVerdictTimeout);
  if (!box) return "";
  EXPECT_EQ(WindowTextOf(box), kTitle);
  EXPECT_FALSE(IsWindowEnabled(window)) << "the window stays pressable under its box";
  EXPECT_EQ(ProcessWindows(checker.ProcessId(), "#32770").size(), 1u);
  const std::string text = MessageBoxText(box);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  WaitUntil([&] { return !IsWindow(box); }, kShowTimeout);
  return text;
}

struct NoCheckRow {
  const char* name;
  bool sourceUnregistered;
  std::string environment;  // for the test build of the program
  std::string box;
  const char* logLine;  // in the judgement log; null: no check ran
};

class NoCheckTest : public CheckerAppTest, public ::testing::WithParamInterface<NoCheckRow> {};

TEST_P(NoCheckTest, BoxThenTheStartPageAgain) {
  const NoCheckRow& row = GetParam();
  BallSourceDll source;
  std::unique_ptr<ScopedBallSourceUnregistered> unregistered;
  if (row.sourceUnregistered) unregistered.reset(new ScopedBallSourceUnregistered(source));
  DebugOutputListener trace;
  ASSERT_TRUE(trace.Listening());
  CheckerProcess checker(kSeamed, {row.environment});
  trace.Follow(checker.ProcessId());
  const HWND window = checker.WaitForMainWindow(kShowTimeout);
  ASSERT_TRUE(window);

  ASSERT_TRUE(XClickControl(window, IDC_START_CHECK));
  EXPECT_EQ(AnswerOwnedBox(checker, window), row.box);

  // No verdict and nothing to save: the start page as before the press.
  EXPECT_TRUE(ControlVisible(window, IDC_START_CHECK));
  EXPECT_TRUE(ControlEnabled(window, IDC_START_CHECK));
  EXPECT_FALSE(OnResultPage(window));
  EXPECT_EQ(ControlText(window, IDC_PROGRESS_TEXT), "");
  bool logged = false;
  for (const DebugOutputListener::Message& message : trace.Messages()) logged |= row.logLine && message.text == row.logLine;
  EXPECT_EQ(logged, row.logLine != nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Broken, NoCheckTest,
    ::testing::Values(
        NoCheckRow{"source_filter_unregistered", true, Scenario(""),
                   "このプログラムの一部が見つからないか、壊れているため、判定できませんでした。\r\n"
                   "セットアップを実行して、このプログラムをインストールし直してください。\r\n\r\n"
                   "サポート情報: ball_source.dll 0x80040154",
                   "ソースフィルタの作成に失敗 hr = 80040154"},
        NoCheckRow{"remote_session", false, "SOLARIO_TEST_REMOTE_SESSION=1",
                   "リモートデスクトップ接続では、画面の出力を判定できません。\r\n"
                   "テレビを見るパソコンの前で、このプログラムを実行してください。",
                   nullptr}),
    [](const ::testing::TestParamInfo<NoCheckRow>& info) { return std::string(info.param.name); });

// Without Internet Explorer the guide page goes to the .htm handler; with no
// browser at all, a box gives the page's full path.
TEST_F(CheckerAppTest, GuidePageWithoutInternetExplorer) {
  const std::string page = kProgram.substr(0, kProgram.rfind('\\')) + "\\GUIDE\\error01.htm";
  for (const BrowserSetup setup : {BrowserSetup::kHtmHandlerOnly, BrowserSetup::kNoBrowser}) {
    const bool handler = setup == BrowserSetup::kHtmHandlerOnly;
    SCOPED_TRACE(handler ? "htm handler" : "no browser");
    ScopedBrowserRecorder recorder(kRecorder, TempFolder() + "iexplore-gone.txt", setup);
    ASSERT_TRUE(recorder.Installed());
    CheckerProcess checker(kProgram, {Scenario("")});
    const HWND window = checker.WaitForMainWindow(kShowTimeout);
    ASSERT_TRUE(window);
    RunCheck(window);
    ASSERT_TRUE(XClickControl(window, IDC_OPEN_SOLUTION));
    if (handler) {
      ASSERT_TRUE(recorder.WaitForRecord(20000));
      EXPECT_EQ(recorder.Recorded(), "\"" + page + "\"\n");
    } else {
      EXPECT_EQ(AnswerOwnedBox(checker, window),
                "ガイドページを開くブラウザーが見つかりませんでした。\r\n"
                "次のファイルをブラウザーで開いてください。\r\n\r\n" + page);
    }
  }
}

}  // namespace
