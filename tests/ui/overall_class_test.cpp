#include "ui/overall_class.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

using J = JudgeResult;

JudgeResult Judge(std::initializer_list<int32_t JudgeResult::*> flags) {
  JudgeResult judge = {};
  for (auto flag : flags) judge.*flag = 1;
  return judge;
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
      {"display ok", Judge({&J::displayOk}), false, false, 0, 0},
      {"downscaled", Judge({&J::displayDownscaled}), false, false, 1, 1},
      {"not displayable", Judge({&J::displayNg}), false, false, 2, 2},
      {"not displayable wins over ok", Judge({&J::displayOk, &J::displayNg}), false, false, 2, 2},
      {"no display flag", Judge({}), false, false, 0, 2},
      {"no display flag, only the analog output", Judge({&J::analogVgaOutput}), false, false, 0, 2},
      {"ok, memory short", Judge({&J::displayOk}), true, false, 2, 2},
      {"downscaled, Pentium 4", Judge({&J::displayDownscaled}), false, true, 2, 2},
      {"no display flag, Pentium 4", Judge({}), false, true, 2, 2},
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
      {Judge({}), {}},
      {Judge({&J::displayOk, &J::displayNg}), {}},
      {Judge({&J::analogVgaOutput}), {kFactorAnalogVga}},
      {Judge({&J::ngCgmsa, &J::ngOverlay}), {kFactorOverlay, kFactorCgmsa}},
      {Judge({&J::analogVgaOutput, &J::ngHdcp, &J::ngCopp}), {kFactorCopp, kFactorHdcp, kFactorAnalogVga}},
      {Judge({&J::analogVgaOutput, &J::ngCgmsa, &J::ngHdcp, &J::ngCopp, &J::ngOverlay}),
       {kFactorOverlay, kFactorCopp, kFactorHdcp, kFactorCgmsa, kFactorAnalogVga}},
  };
  for (const FactorCase& c : cases) {
    EXPECT_EQ(SetDisplayFactors(c.judge), c.factors) << c.factors.size() << " factors";
  }
}

}  // namespace
