#include "ui/verdict.h"

namespace {

enum DisplayCategory { kHighDefinition, kDownscaled, kNotDisplayable };

struct DisplayRow {
  int32_t JudgeResult::*flag;
  const char* message;
  Mark displayMark;
  int solutionPage;
  bool mayEnableDetails;
};

// The first row whose flag is set decides; the order is the judgement's.
const DisplayRow kDisplayRows[] = {
    {&JudgeResult::ngOverlay, "オーバーレイ表示が使えません", kMarkCross, 2, false},
    {&JudgeResult::ngCopp, "グラフィック機能がCOPPに対応していません", kMarkCross, 3, false},
    {&JudgeResult::ngHdcp, "グラフィック環境もしくはディスプレイがHDCPに対応していません", kMarkCross, 8, false},
    {&JudgeResult::ngCgmsa, "グラフィック環境がCGMSに対応していません", kMarkCross, 7, false},
    {&JudgeResult::analogVgaOutput, "52万画素ダウンスケーリングにて表示されます", kMarkCircle, 1, true},
};

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
  int overall = category == kNotDisplayable ? 2 : category == kDownscaled ? 1 : 0;
  if (environment.memoryShort || view.isPentium4) overall = 2;

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
    for (const DisplayRow& row : kDisplayRows) {
      if (!(judge.*row.flag)) continue;
      view.displayMessage = row.message;
      view.marks.displayMark = row.displayMark;
      view.marks.solutionPage = row.solutionPage;
      view.detailsEnabled = row.mayEnableDetails && overall != 2;
      break;
    }
    view.solutionVisible = true;
  }
  // Classes 0, 1, 2 show as the double circle, the circle and the cross.
  view.marks.overallMark = kMarkDoubleCircle + overall;
  return view;
}
