#include "ui/verdict.h"

namespace {

enum DisplayCategory { kHighDefinition, kDownscaled, kNotDisplayable };

struct DisplayRow {
  int32_t JudgeResult::*flag;
  const char* message;
  int displayMark;
  int solutionPage;
  bool mayEnableDetails;
};

// The first row whose flag is set decides; the order is the judgement's.
const DisplayRow kDisplayRows[] = {
    {&JudgeResult::ngOverlay, "オーバーレイ表示が使えません", 3, 2, false},
    {&JudgeResult::ngCopp, "グラフィック機能がCOPPに対応していません", 3, 3, false},
    {&JudgeResult::ngHdcp, "グラフィック環境もしくはディスプレイがHDCPに対応していません", 3, 8, false},
    {&JudgeResult::ngCgmsa, "グラフィック環境がCGMSに対応していません", 3, 7, false},
    {&JudgeResult::analogVgaOutput, "52万画素ダウンスケーリングにて表示されます", 2, 1, true},
};

struct MemoryRow {
  const char* status;
  int mark;
};

const MemoryRow kMemoryRows[] = {
    {"推奨環境です", 1},
    {"必須環境です", 2},
    {"メモリの増設が必要です  2048MB 以上必要です", 3},
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
  view.marks.osMark = 1;

  view.memoryText = environment.memoryText;
  if (environment.memoryClass >= 0 && environment.memoryClass <= 2) {
    const MemoryRow& row = kMemoryRows[environment.memoryClass];
    view.memoryStatus = row.status;
    view.marks.memoryMark = row.mark;
  }

  if (view.isPentium4) {
    view.cpuMessage = "対応外のCPUです";
    view.marks.cpuMark = 3;
  }

  if (category == kHighDefinition) {
    view.detailsEnabled = true;
    view.displayMessage = HighDefinitionMessage();
    view.marks.displayMark = 1;
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
  view.marks.overallMark = overall + 1;
  return view;
}
