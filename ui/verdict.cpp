#include "ui/verdict.h"

#include <vector>

#include "ui/overall_class.h"

namespace {

enum DisplayCategory { kHighDefinition, kDownscaled, kNotDisplayable };

struct DisplayRow {
  DisplayFactor factor;
  const char* message;
  Mark displayMark;
  int solutionPage;       // the code VerdictState carries
  const char* guidePage;  // what the code opens, below the program's folder
  bool mayEnableDetails;
};

// One row per DisplayFactor, in its order.
constexpr DisplayRow kDisplayRows[] = {
    {kFactorOverlay, "オーバーレイ表示が使えません", kMarkCross, 2, "\\GUIDE\\error00.htm", false},
    {kFactorCopp, "グラフィック機能がCOPPに対応していません", kMarkCross, 3, "\\GUIDE\\error01.htm", false},
    {kFactorHdcp, "グラフィック環境もしくはディスプレイがHDCPに対応していません", kMarkCross, 8,
     "\\GUIDE\\error03-1.htm", false},
    {kFactorCgmsa, "グラフィック環境がCGMSに対応していません", kMarkCross, 7, "\\GUIDE\\error05.htm", false},
    {kFactorAnalogVga, "52万画素ダウンスケーリングにて表示されます", kMarkCircle, 1, "\\GUIDE\\error06.htm",
     true},
};

constexpr bool RowsFollowFactors() {
  int factor = 0;
  for (const DisplayRow& row : kDisplayRows) {
    if (row.factor != factor++) return false;
  }
  return factor == kDisplayFactorCount;
}
static_assert(RowsFollowFactors(), "kDisplayRows holds one row per DisplayFactor, in its order");

constexpr bool SolutionCodesAreDistinct() {
  for (const DisplayRow& row : kDisplayRows) {
    int uses = 0;
    for (const DisplayRow& other : kDisplayRows) uses += other.solutionPage == row.solutionPage;
    if (row.solutionPage == 0 || uses != 1) return false;
  }
  return true;
}
static_assert(SolutionCodesAreDistinct(), "a solution code names one guide page; 0 names none");

struct MemoryRow {
  const char* status;
  Mark mark;
};

const MemoryRow kMemoryRows[] = {
    {"推奨環境です", kMarkDoubleCircle},
    {"必須環境です", kMarkCircle},
    {"メモリの増設が必要です  2048MB 以上必要です", kMarkCross},
};

// 44 blanks and 16 ideographic spaces push the message onto the second line
// of its static, beside the mark.
std::string HighDefinitionMessage() {
  std::string message(44, ' ');
  for (int i = 0; i < 16; ++i) message += "　";
  return message + "ハイビジョンで表示可能です";
}

}  // namespace

const char* SolutionPagePath(int solutionPage) {
  for (const DisplayRow& row : kDisplayRows) {
    if (row.solutionPage == solutionPage) return row.guidePage;
  }
  return nullptr;
}

bool IsPentium4Name(const std::string& cpuName) {
  return cpuName.find("Intel(R) Pentium(R) 4 CPU") != std::string::npos;
}

VerdictView ComposeVerdict(const EnvironmentInfo& environment) {
  VerdictView view = {};
  const JudgeResult& judge = environment.judge;
  view.isPentium4 = IsPentium4Name(environment.cpuName) ? 1 : 0;

  const DisplayCategory category = judge.displayNg           ? kNotDisplayable
                                   : judge.displayDownscaled ? kDownscaled
                                                             : kHighDefinition;
  const int overall = PageOverallClass(judge, environment.memoryShort != 0, view.isPentium4 != 0);

  view.osText = environment.osName;
  view.osStatus = "対応しています";
  view.marks.osMark = kMarkDoubleCircle;

  view.memoryText = environment.memoryText;
  if (environment.memoryClass >= 0 && environment.memoryClass <= 2) {
    const MemoryRow& row = kMemoryRows[environment.memoryClass];
    view.memoryStatus = row.status;
    view.marks.memoryMark = row.mark;
  }

  if (view.isPentium4) {
    view.cpuMessage = "対応外のCPUです";
    view.marks.cpuMark = kMarkCross;
  }

  if (category == kHighDefinition) {
    view.detailsEnabled = true;
    view.displayMessage = HighDefinitionMessage();
    view.marks.displayMark = kMarkDoubleCircle;
  } else {
    const std::vector<DisplayFactor> factors = SetDisplayFactors(judge);
    if (!factors.empty()) {
      const DisplayRow& row = kDisplayRows[factors.front()];
      view.displayMessage = row.message;
      view.marks.displayMark = row.displayMark;
      view.marks.solutionPage = row.solutionPage;
      view.detailsEnabled = row.mayEnableDetails && overall != 2;
    }
    view.solutionVisible = true;
  }
  // Classes 0, 1, 2 show as the double circle, the circle and the cross.
  view.marks.overallMark = kMarkDoubleCircle + overall;
  return view;
}
