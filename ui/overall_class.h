#pragma once

#include <vector>

#include "judge/judge_result.h"

// The overall class of a check: 0 fully suitable, 1 with limits, 2 not
// suitable. The result page and the report each have their own rule.
int PageOverallClass(const JudgeResult& judge, bool memoryShort, bool isPentium4);
int ReportOverallClass(const JudgeResult& judge, bool memoryShort, bool isPentium4);

// The display factors, in the order the judgement weighs them: the result
// page names the first one set, the report lists every failure set.
enum DisplayFactor {
  kFactorOverlay,
  kFactorCopp,
  kFactorHdcp,
  kFactorCgmsa,
  kFactorAnalogVga,
  kDisplayFactorCount
};

// The failures are the factors before kFactorAnalogVga.
constexpr int kFailureFactorCount = kFactorAnalogVga;

// The factors whose flags `judge` sets, in the order above.
std::vector<DisplayFactor> SetDisplayFactors(const JudgeResult& judge);
