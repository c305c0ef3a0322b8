#include "ui/overall_class.h"

namespace {

// One flag per DisplayFactor, in the enum's order.
const int32_t JudgeResult::*const kFactorFlags[kDisplayFactorCount] = {
    &JudgeResult::ngOverlay, &JudgeResult::ngCopp,          &JudgeResult::ngHdcp,
    &JudgeResult::ngCgmsa,   &JudgeResult::analogVgaOutput,
};

int LimitedBySystem(int displayClass, bool memoryShort, bool isPentium4) {
  return memoryShort || isPentium4 ? 2 : displayClass;
}

}  // namespace

// The two rules differ in one case only: a judgement that sets none of
// displayOk, displayDownscaled and displayNg. The page shows it as high
// definition; the report, which wants displayOk for that, calls it not
// suitable.
int PageOverallClass(const JudgeResult& judge, bool memoryShort, bool isPentium4) {
  const int displayClass = judge.displayNg ? 2 : judge.displayDownscaled ? 1 : 0;
  return LimitedBySystem(displayClass, memoryShort, isPentium4);
}

int ReportOverallClass(const JudgeResult& judge, bool memoryShort, bool isPentium4) {
  const int displayClass = judge.displayNg ? 2 : judge.displayDownscaled ? 1 : judge.displayOk ? 0 : 2;
  return LimitedBySystem(displayClass, memoryShort, isPentium4);
}

std::vector<DisplayFactor> SetDisplayFactors(const JudgeResult& judge) {
  std::vector<DisplayFactor> factors;
  for (int factor = 0; factor < kDisplayFactorCount; ++factor) {
    if (judge.*kFactorFlags[factor]) factors.push_back(static_cast<DisplayFactor>(factor));
  }
  return factors;
}
