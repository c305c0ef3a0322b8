#include "ui/report_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/support/golden_file.h"
#include "tests/support/judge_flags.h"

namespace {

const char kCheckTime[] = "2010/06/15 14:03";
const char kOs[] = "Microsoft Windows 7 Professional Service Pack 1";
const char kCpu[] = "Intel(R) Core(TM) i5 CPU         750  @ 2.67GHz";
const char kPentium4[] = "Intel(R) Pentium(R) 4 CPU 3.00GHz";
const char kGraphics[] = "ATI Radeon HD 4350";
const char kVersion[] = "5, 0, 0, 7567";
const char kCopyright[] = "Copyright (C) 2010 ルモラ株式会社 All rights reserved.";

using R = JudgeResult;

struct ReportCase {
  const char* golden;  // tests/golden/reports/<golden>.txt
  JudgeResult judge;
  int memoryClass = 0;
  bool pentium4 = false;
  const char* graphics = kGraphics;
};

EnvironmentInfo Environment(const ReportCase& c) {
  EnvironmentInfo env;
  env.checkTime = kCheckTime;
  env.osName = kOs;
  env.cpuName = c.pentium4 ? kPentium4 : kCpu;
  env.isPentium4 = c.pentium4;
  env.memoryText = "4096 MB";
  env.memoryClass = c.memoryClass;
  env.memoryShort = c.memoryClass == 2;
  env.graphicsName = c.graphics;
  env.judge = c.judge;
  return env;
}

std::string Golden(const ReportCase& c, const std::string& version) {
  return GoldenText(std::string("reports/") + c.golden + ".txt", {{"CHECK_TIME", kCheckTime},
                                                                  {"OS", kOs},
                                                                  {"CPU", c.pentium4 ? kPentium4 : kCpu},
                                                                  {"GRAPHICS", c.graphics},
                                                                  {"VERSION", version}});
}

std::string Compose(const ReportCase& c, const std::string& version, const std::string& copyright) {
  return ComposeReport(Environment(c), LoadReportStrings(::GetModuleHandleA(nullptr)), version, copyright);
}

// What every report file must be, whatever it says.
void ExpectFileShape(const std::string& report, const std::string& copyright) {
  ASSERT_GE(report.size(), 3u);
  EXPECT_NE(std::string("\xEF\xBB\xBF"), report.substr(0, 3)) << "no byte-order mark";
  for (size_t i = 0; i < report.size(); ++i) {
    if (report[i] == '\n') {
      EXPECT_TRUE(i > 0 && report[i - 1] == '\r') << "bare LF at " << i;
    }
    if (report[i] == '\r') {
      EXPECT_TRUE(i + 1 < report.size() && report[i + 1] == '\n') << "bare CR at " << i;
    }
  }
  EXPECT_NE('\n', report.back());
  const std::string lastLine = report.substr(report.rfind("\r\n") + 2);
  EXPECT_EQ("        " + copyright, lastLine);
}

const ReportCase kHighDefinition{"high_definition", Flags({&R::displayOk})};

TEST(ReportText, EveryVerdictIsItsGoldenReportByteForByte) {
  const ReportCase cases[] = {
      kHighDefinition,
      {"pentium4", Flags({&R::displayOk}), 0, true},
      {"copp_missing", Flags({&R::displayNg, &R::ngCopp})},
      {"hdcp_missing", Flags({&R::displayOk, &R::displayNg, &R::ngHdcp})},
      {"cgmsa_missing", Flags({&R::displayNg, &R::ngCgmsa})},
      {"copp_and_cgmsa_missing", Flags({&R::displayNg, &R::ngCopp, &R::ngCgmsa})},
      {"every_factor", Flags({&R::displayNg, &R::ngCgmsa, &R::ngHdcp, &R::ngCopp, &R::ngOverlay})},
      {"downscaled_analog", Flags({&R::displayDownscaled, &R::analogVgaOutput})},
      {"hdcp_missing_over_analog", Flags({&R::displayDownscaled, &R::analogVgaOutput, &R::ngHdcp})},
      {"not_displayable_without_factor", Flags({&R::displayNg})},
      {"memory_short", Flags({&R::displayOk}), 2},
      {"memory_minimum", Flags({&R::displayOk}), 1},
      {"high_definition", Flags({&R::displayOk}), 0, false, ""},
      {"no_verdict_flag", Flags({})},
  };
  for (const ReportCase& c : cases) {
    SCOPED_TRACE(c.golden);
    const std::string report = Compose(c, kVersion, kCopyright);
    EXPECT_EQ(Golden(c, kVersion), report);
    ExpectFileShape(report, kCopyright);
  }
}

TEST(ReportText, AnEmptyVersionResourceLeavesTheVersionAndTheLastLineEmpty) {
  const std::string report = Compose(kHighDefinition, "", "");
  const std::string golden = Golden(kHighDefinition, "");
  EXPECT_EQ(golden.substr(0, golden.rfind("\r\n") + 10), report);
  EXPECT_EQ("Ver . \r\n        ", report.substr(report.size() - 16));
}

TEST(ReportText, TheVersionIsInsertedUnchangedEvenWithPercentSigns) {
  EXPECT_EQ(Golden(kHighDefinition, "1%s%d"), Compose(kHighDefinition, "1%s%d", kCopyright));
}

}  // namespace
