#include "ui/report_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>
#include <string>

#include "tests/ui/report_test_texts.h"

namespace {

const char kCheckTime[] = "2010/06/15 14:03";
const char kOs[] = "Microsoft Windows 7 Professional Service Pack 1";
const char kCpu[] = "Intel(R) Core(TM) i5 CPU         750  @ 2.67GHz";
const char kPentium4[] = "Intel(R) Pentium(R) 4 CPU 3.00GHz";
const char kMemory[] = "4096 MB";
const char kGraphics[] = "ATI Radeon HD 4350";
const char kVersion[] = "5, 0, 0, 7567";
const char kCopyright[] = "Copyright (C) 2010 ルモラ株式会社 All rights reserved.";

const char kOverallViewable[] =
    "◎  ※スムーズな再生を行うために、ご利用環境のＣＰＵ、グラフィックがお考えの製品の\r\n"
    "    製品の必要スペックを満たすことを必ずご確認ください";
const char kOverallDownscaled[] =
    "○  52万画素（DVD相当）の画質で視聴可能です。\r\n"
    "    ※スムーズな再生を行うために、ご利用環境のＣＰＵ、グラフィックがお考えの製品の\r\n"
    "    製品の必要スペックを満たすことを必ずご確認ください ";
const char kOverallNotViewable[] = "Ｘ  ご利用の環境では動作することができません。";

const char kMemoryRecommended[] = "◎  推奨環境です。";
const char kMemoryMinimum[] = "○  必須環境です。";
const char kMemoryShort[] = "Ｘ  メモリが不足しています。2048MB 以上必要です。";

const char kPentium4Line[] = "                        : 対応外のＣＰＵです。\r\n";
const char kHighDefinitionBlock[] = "                        :  ◎  ハイビジョン視聴が可能です。\r\n";
const char kCrossLine[] = "                        :  × \r\n";
const char kAlsoLine[] = "                         また、\r\n";
const char kAnalogLine[] = "                        :  ○  52万画素（DVD相当）の画質で視聴可能です\r\n";

// The one report written out in full, line by line.
const char kHighDefinitionReport[] =
    "---- ソラリオ for UT-750　 判定結果 ---- 2010/06/15 14:03\r\n"
    "\r\n"
    "◎  ※スムーズな再生を行うために、ご利用環境のＣＰＵ、グラフィックがお考えの製品の\r\n"
    "    製品の必要スペックを満たすことを必ずご確認ください\r\n"
    "\r\n"
    "\r\n"
    "ご利用環境と判定結果\r\n"
    "\r\n"
    "        OS              : Microsoft Windows 7 Professional Service Pack 1\r\n"
    "                        : ◎  対応しています。\r\n"
    "\r\n"
    "        CPU             : Intel(R) Core(TM) i5 CPU         750  @ 2.67GHz\r\n"
    "                        : ※お考えの製品の必要スペックをご確認ください。\r\n"
    "\r\n"
    "        メモリ          : 4096 MB\r\n"
    "        　　　          : ◎  推奨環境です。\r\n"
    "\r\n"
    "        グラフィック    : ATI Radeon HD 4350\r\n"
    "                        : ※お考えの製品の必要スペックをご確認ください。\r\n"
    "\r\n"
    "        グラフィック、ディスプレイの接続状態\r\n"
    "                        :  ◎  ハイビジョン視聴が可能です。\r\n"
    "\r\n"
    "\r\n"
    "        推奨CPU、メモリ、グラフィックカード、ディスプレイなどの最新情報は、弊社\r\n"
    "        ホームページ（http://www.lumora.co.jp/）よりご確認ください。\r\n"
    "\r\n"
    "------------------------------------------------------------------------ \r\n"
    "\r\n"
    "        ソラリオ for UT-750 Ver . 5, 0, 0, 7567\r\n"
    "        Copyright (C) 2010 ルモラ株式会社 All rights reserved.";

// The parts of a report that change from case to case.
struct Pieces {
  std::string graphics = kGraphics;
  std::string cpu = kCpu;
  std::string overall;
  bool pentium4Line = false;
  std::string memoryVerdict = kMemoryRecommended;
  std::string connection;
  std::string version = kVersion;
  std::string copyright = kCopyright;
};

std::string ExpectedReport(const Pieces& p) {
  return std::string("---- ソラリオ for UT-750　 判定結果 ---- 2010/06/15 14:03\r\n") + "\r\n" + p.overall +
         "\r\n" + "\r\n" + "\r\n" + "ご利用環境と判定結果\r\n" + "\r\n" +
         "        OS              : Microsoft Windows 7 Professional Service Pack 1\r\n" +
         "                        : ◎  対応しています。\r\n" + "\r\n" + "        CPU             : " + p.cpu +
         "\r\n" + "                        : ※お考えの製品の必要スペックをご確認ください。\r\n" +
         (p.pentium4Line ? kPentium4Line : "") + "\r\n" + "        メモリ          : 4096 MB\r\n" +
         "        　　　          : " + p.memoryVerdict + "\r\n" + "\r\n" +
         "        グラフィック    : " + p.graphics + "\r\n" +
         "                        : ※お考えの製品の必要スペックをご確認ください。\r\n" + "\r\n" +
         "        グラフィック、ディスプレイの接続状態\r\n" + p.connection + "\r\n" + "\r\n" + kText203 +
         "\r\n" + "------------------------------------------------------------------------ \r\n" + "\r\n" +
         "        ソラリオ for UT-750 Ver . " + p.version + "\r\n" + "        " + p.copyright;
}

JudgeResult Judge(std::initializer_list<int32_t JudgeResult::*> flags) {
  JudgeResult judge = {};
  for (auto flag : flags) judge.*flag = 1;
  return judge;
}

EnvironmentInfo Environment(JudgeResult judge) {
  EnvironmentInfo env;
  env.checkTime = kCheckTime;
  env.osName = kOs;
  env.cpuName = kCpu;
  env.memoryText = kMemory;
  env.graphicsName = kGraphics;
  env.judge = judge;
  return env;
}

ReportStrings TheProgramsStrings() { return LoadReportStrings(::GetModuleHandleA(nullptr)); }

std::string Compose(const EnvironmentInfo& env) {
  return ComposeReport(env, TheProgramsStrings(), kVersion, kCopyright);
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

TEST(ReportText, HighDefinitionAloneIsTheWholeReportByteForByte) {
  const std::string report = Compose(Environment(Judge({&JudgeResult::displayOk})));
  EXPECT_EQ(kHighDefinitionReport, report);
  ExpectFileShape(report, kCopyright);
}

struct ReportCase {
  const char* name;
  EnvironmentInfo env;
  Pieces expected;
};

ReportCase HighDefinitionWithPentium4() {
  ReportCase c{"high definition with a Pentium 4", Environment(Judge({&JudgeResult::displayOk})), {}};
  c.env.cpuName = kPentium4;
  c.env.isPentium4 = 1;
  c.expected.cpu = kPentium4;
  c.expected.overall = kOverallNotViewable;
  c.expected.pentium4Line = true;
  c.expected.connection = kHighDefinitionBlock;
  return c;
}

ReportCase CoppAndCgmsaFactors() {
  ReportCase c{"not displayable for COPP and CGMS-A",
               Environment(Judge({&JudgeResult::displayNg, &JudgeResult::ngCopp, &JudgeResult::ngCgmsa})),
               {}};
  c.expected.overall = kOverallNotViewable;
  c.expected.connection = std::string(kCrossLine) + kText213 + kAlsoLine + kText217;
  return c;
}

ReportCase EveryFactor() {
  ReportCase c{"every factor, in order, with an also line between each",
               Environment(Judge({&JudgeResult::displayNg, &JudgeResult::ngCgmsa, &JudgeResult::ngHdcp,
                                  &JudgeResult::ngCopp, &JudgeResult::ngOverlay})),
               {}};
  c.expected.overall = kOverallNotViewable;
  c.expected.connection =
      std::string(kCrossLine) + kText212 + kAlsoLine + kText213 + kAlsoLine + kText215 + kAlsoLine + kText217;
  return c;
}

ReportCase DownscaledAnalog() {
  ReportCase c{"downscaled analog output",
               Environment(Judge({&JudgeResult::displayDownscaled, &JudgeResult::analogVgaOutput})),
               {}};
  c.expected.overall = kOverallDownscaled;
  c.expected.connection = std::string(kAnalogLine) + kText206;
  return c;
}

ReportCase FactorBeforeAnalog() {
  ReportCase c{"a factor flag wins over the analog line",
               Environment(Judge(
                   {&JudgeResult::displayDownscaled, &JudgeResult::analogVgaOutput, &JudgeResult::ngHdcp})),
               {}};
  c.expected.overall = kOverallDownscaled;
  c.expected.connection = std::string(kCrossLine) + kText215;
  return c;
}

ReportCase NotDisplayableWithoutFactor() {
  ReportCase c{"not displayable with no factor flag", Environment(Judge({&JudgeResult::displayNg})), {}};
  c.expected.overall = kOverallNotViewable;
  return c;
}

ReportCase MemoryInsufficient() {
  ReportCase c{"memory class 2", Environment(Judge({&JudgeResult::displayOk})), {}};
  c.env.memoryClass = 2;
  c.env.memoryShort = 1;
  c.expected.overall = kOverallNotViewable;
  c.expected.memoryVerdict = kMemoryShort;
  c.expected.connection = kHighDefinitionBlock;
  return c;
}

ReportCase MemoryMinimum() {
  ReportCase c{"memory class 1", Environment(Judge({&JudgeResult::displayOk})), {}};
  c.env.memoryClass = 1;
  c.expected.overall = kOverallViewable;
  c.expected.memoryVerdict = kMemoryMinimum;
  c.expected.connection = kHighDefinitionBlock;
  return c;
}

ReportCase EmptyGraphicsName() {
  ReportCase c{"empty graphics name", Environment(Judge({&JudgeResult::displayOk})), {}};
  c.env.graphicsName = "";
  c.expected.graphics = "";
  c.expected.overall = kOverallViewable;
  c.expected.connection = kHighDefinitionBlock;
  return c;
}

ReportCase NoFlagAtAll() {
  ReportCase c{"no verdict flag: not viewable, yet the high-definition line", Environment(Judge({})), {}};
  c.expected.overall = kOverallNotViewable;
  c.expected.connection = kHighDefinitionBlock;
  return c;
}

TEST(ReportText, EveryEdgeCaseIsTheWholeReportByteForByte) {
  const ReportCase cases[] = {
      HighDefinitionWithPentium4(),
      CoppAndCgmsaFactors(),
      EveryFactor(),
      DownscaledAnalog(),
      FactorBeforeAnalog(),
      NotDisplayableWithoutFactor(),
      MemoryInsufficient(),
      MemoryMinimum(),
      EmptyGraphicsName(),
      NoFlagAtAll(),
  };
  for (const ReportCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string report = Compose(c.env);
    EXPECT_EQ(ExpectedReport(c.expected), report);
    ExpectFileShape(report, kCopyright);
  }
}

TEST(ReportText, AnEmptyVersionResourceLeavesTheVersionAndTheLastLineEmpty) {
  const std::string report =
      ComposeReport(Environment(Judge({&JudgeResult::displayOk})), TheProgramsStrings(), "", "");
  Pieces expected;
  expected.overall = kOverallViewable;
  expected.connection = kHighDefinitionBlock;
  expected.version = "";
  expected.copyright = "";
  EXPECT_EQ(ExpectedReport(expected), report);
  EXPECT_EQ("Ver . \r\n        ", report.substr(report.size() - 16));
}

TEST(ReportText, TheVersionIsInsertedUnchangedEvenWithPercentSigns) {
  const std::string report =
      ComposeReport(Environment(Judge({&JudgeResult::displayOk})), TheProgramsStrings(), "1%s%d", kCopyright);
  EXPECT_NE(std::string::npos, report.find("\r\n        ソラリオ for UT-750 Ver . 1%s%d\r\n"));
}

}  // namespace
