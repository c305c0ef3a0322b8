#include "ui/verdict.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/display_messages.h"
#include "tests/support/judge_flags.h"
#include "ui/overall_class.h"

namespace {

const char kPentium4[] = "Intel(R) Pentium(R) 4 CPU 3.00GHz 3.00 GHz";

EnvironmentInfo Environment(int memoryClass, const char* cpu, JudgeResult judge) {
  EnvironmentInfo environment;
  environment.osName = "Microsoft Windows 7 Professional Service Pack 1";
  environment.cpuName = cpu;
  environment.memoryText = "4096 MB";
  environment.memoryClass = memoryClass;
  environment.memoryShort = memoryClass == 2;
  environment.judge = judge;
  return environment;
}

using J = JudgeResult;

struct DisplayCase {
  const char* name;
  JudgeResult judge;
  int memoryClass;
  const char* cpu;
  std::string message;
  int displayMark;
  int solutionPage;
  bool detailsEnabled;
  bool solutionVisible;
  int overallMark;
};

TEST(ComposeVerdictTest, DisplayRowsInTheirOrder) {
  const DisplayCase cases[] = {
      {"high definition", Flags({&J::displayOk}), 0, "AMD", HighDefinitionMessage(), 1, 0, true, false, 1},
      {"overlay first", Flags({&J::displayNg, &J::ngOverlay, &J::ngCopp}), 0, "AMD", "オーバーレイ表示が使えません",
       3, 2, false, true, 3},
      {"no COPP", Flags({&J::displayNg, &J::ngCopp, &J::retryFromStart}), 0, "AMD",
       "グラフィック機能がCOPPに対応していません", 3, 3, false, true, 3},
      {"no HDCP wins over the display flag", Flags({&J::displayOk, &J::displayNg, &J::ngHdcp}), 0, "AMD",
       "グラフィック環境もしくはディスプレイがHDCPに対応していません", 3, 8, false, true, 3},
      {"no CGMS-A", Flags({&J::displayNg, &J::ngCgmsa}), 0, "AMD", "グラフィック環境がCGMSに対応していません", 3,
       7, false, true, 3},
      {"VGA downscaled", Flags({&J::displayDownscaled, &J::analogVgaOutput}), 0, "AMD",
       "52万画素ダウンスケーリングにて表示されます", 2, 1, true, true, 2},
      {"VGA downscaled with 1024 MB", Flags({&J::displayDownscaled, &J::analogVgaOutput}), 2, "AMD",
       "52万画素ダウンスケーリングにて表示されます", 2, 1, false, true, 3},
      {"VGA downscaled on a Pentium 4", Flags({&J::displayDownscaled, &J::analogVgaOutput}), 0, kPentium4,
       "52万画素ダウンスケーリングにて表示されます", 2, 1, false, true, 3},
      {"not displayable without a factor", Flags({&J::displayNg}), 0, "AMD", "", 0, 0, false, true, 3},
  };
  for (const DisplayCase& c : cases) {
    const VerdictView view = ComposeVerdict(Environment(c.memoryClass, c.cpu, c.judge));
    EXPECT_EQ(view.displayMessage, c.message) << c.name;
    EXPECT_EQ(view.marks.displayMark, c.displayMark) << c.name;
    EXPECT_EQ(view.marks.solutionPage, c.solutionPage) << c.name;
    EXPECT_EQ(view.detailsEnabled, c.detailsEnabled) << c.name;
    EXPECT_EQ(view.solutionVisible, c.solutionVisible) << c.name;
    EXPECT_EQ(view.marks.overallMark, c.overallMark) << c.name;
    EXPECT_EQ(view.marks.osMark, 1) << c.name;
    EXPECT_EQ(view.osStatus, "対応しています") << c.name;
  }
}

TEST(ComposeVerdictTest, MemoryRows) {
  struct Case {
    int memoryClass;
    const char* status;
    int mark;
    int overall;
  };
  const Case cases[] = {
      {0, "推奨環境です", 1, 1},
      // The required minimum still leaves the banner at its best.
      {1, "必須環境です", 2, 1},
      {2, "メモリの増設が必要です  2048MB 以上必要です", 3, 3},
  };
  for (const Case& c : cases) {
    const VerdictView view = ComposeVerdict(Environment(c.memoryClass, "AMD", Flags({&JudgeResult::displayOk})));
    EXPECT_EQ(view.memoryStatus, c.status);
    EXPECT_EQ(view.marks.memoryMark, c.mark);
    EXPECT_EQ(view.marks.overallMark, c.overall);
    EXPECT_EQ(view.memoryText, "4096 MB");
  }
}

TEST(ComposeVerdictTest, Pentium4IsAPlainCaseSensitiveSubstring) {
  struct Case {
    const char* cpu;
    int isPentium4;
  };
  const Case cases[] = {
      {kPentium4, 1},
      {"Genuine Intel(R) Pentium(R) 4 CPU", 1},
      {"intel(r) pentium(r) 4 cpu 2.8GHz", 0},
      {"Intel(R) Pentium(R) D CPU 3.00GHz", 0},
      {"Intel(R) Pentium(R) 4", 0},
      {"", 0},
  };
  for (const Case& c : cases) {
    const VerdictView view = ComposeVerdict(Environment(0, c.cpu, Flags({&JudgeResult::displayOk})));
    EXPECT_EQ(view.isPentium4, c.isPentium4) << c.cpu;
    EXPECT_EQ(view.marks.cpuMark, c.isPentium4 ? 3 : 0) << c.cpu;
    EXPECT_EQ(view.cpuMessage, c.isPentium4 ? "対応外のCPUです" : "") << c.cpu;
    // A Pentium 4 sinks the banner even when everything else is fine.
    EXPECT_EQ(view.marks.overallMark, c.isPentium4 ? 3 : 1) << c.cpu;
    EXPECT_EQ(view.detailsEnabled, true) << c.cpu;
  }
}

struct OverallCase {
  const char* name;
  JudgeResult judge;
  bool memoryShort;
  bool isPentium4;
  int page;
  int report;
};

TEST(OverallClassTest, PageAndReportDifferOnlyWithoutADisplayFlag) {
  const OverallCase cases[] = {
      {"display ok", Flags({&J::displayOk}), false, false, 0, 0},
      {"downscaled", Flags({&J::displayDownscaled}), false, false, 1, 1},
      {"not displayable", Flags({&J::displayNg}), false, false, 2, 2},
      {"not displayable wins over ok", Flags({&J::displayOk, &J::displayNg}), false, false, 2, 2},
      {"no display flag", Flags({}), false, false, 0, 2},
      {"no display flag, only the analog output", Flags({&J::analogVgaOutput}), false, false, 0, 2},
      {"ok, memory short", Flags({&J::displayOk}), true, false, 2, 2},
      {"downscaled, Pentium 4", Flags({&J::displayDownscaled}), false, true, 2, 2},
      {"no display flag, Pentium 4", Flags({}), false, true, 2, 2},
  };
  for (const OverallCase& c : cases) {
    EXPECT_EQ(PageOverallClass(c.judge, c.memoryShort, c.isPentium4), c.page) << c.name;
    EXPECT_EQ(ReportOverallClass(c.judge, c.memoryShort, c.isPentium4), c.report) << c.name;
  }
}

struct FactorCase {
  JudgeResult judge;
  std::vector<DisplayFactor> factors;
};

TEST(OverallClassTest, FactorsComeInTheJudgementsOrder) {
  const FactorCase cases[] = {
      {Flags({}), {}},
      {Flags({&J::displayOk, &J::displayNg}), {}},
      {Flags({&J::analogVgaOutput}), {kFactorAnalogVga}},
      {Flags({&J::ngCgmsa, &J::ngOverlay}), {kFactorOverlay, kFactorCgmsa}},
      {Flags({&J::analogVgaOutput, &J::ngHdcp, &J::ngCopp}), {kFactorCopp, kFactorHdcp, kFactorAnalogVga}},
      {Flags({&J::analogVgaOutput, &J::ngCgmsa, &J::ngHdcp, &J::ngCopp, &J::ngOverlay}),
       {kFactorOverlay, kFactorCopp, kFactorHdcp, kFactorCgmsa, kFactorAnalogVga}},
  };
  for (const FactorCase& c : cases) {
    EXPECT_EQ(SetDisplayFactors(c.judge), c.factors) << c.factors.size() << " factors";
  }
}

}  // namespace
