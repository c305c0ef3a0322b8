#include "judge/judge_flow.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/support/trace_capture.h"

namespace {

using Lines = std::vector<std::string>;

DisplayCheckRecord WorkingCopp(uint32_t connector) {
  DisplayCheckRecord record{};
  record.overlayOk = 1;
  record.coppOk = 1;
  record.busType = 3;
  record.connectorType = connector;
  return record;
}

struct FlowCase {
  const char* name;
  DisplayCheckRecord record;
  JudgeResult expected;
  Lines expectedLog;
};

const char kListingHeader[] = "---------- 各種要因表示 ---------";
const char kFlowHeader[] = "---------- 判定処理フロー ---------";

std::vector<FlowCase> FlowCases() {
  std::vector<FlowCase> cases;
  {
    DisplayCheckRecord r{};
    r.overlayOk = 1;
    r.retryFromStart = 1;
    r.connectorType = 0xFFFFFFFF;
    JudgeResult want{};
    want.displayNg = want.ngCopp = want.retryFromStart = 1;
    cases.push_back({"CoppUnusableWithRetry", r, want,
                     {kListingHeader, "出力先VGAは現在オーバーレイ使用可能？", "YES",
                      "出力先VGAとドライバはCOPP対応？", "NO", kFlowHeader,
                      "出力先VGAは現在オーバーレイ使用可能？", "YES", "出力先VGAとドライバはCOPP対応？", "NO",
                      "-- 表示不可要因７(COPPに対応していない)", "最初からリトライさせる"}});
  }
  {
    DisplayCheckRecord r{};
    r.connectorType = 5;
    JudgeResult want{};
    want.displayNg = want.ngOverlay = want.ngCopp = 1;
    cases.push_back({"NoOverlayNoCoppWithoutRetry", r, want,
                     {kListingHeader, "出力先VGAは現在オーバーレイ使用可能？", "NO",
                      "出力先VGAとドライバはCOPP対応？", "NO", kFlowHeader,
                      "出力先VGAは現在オーバーレイ使用可能？", "NO", "-- 表示不可要因６(オーバーレイ使用不可)",
                      "出力先VGAとドライバはCOPP対応？", "NO", "-- 表示不可要因７(COPPに対応していない)"}});
  }
  {
    JudgeResult want{};
    want.displayOk = 1;
    cases.push_back({"InternalVga", WorkingCopp(0x80000000), want,
                     {kListingHeader, "出力先VGAは現在オーバーレイ使用可能？", "YES",
                      "出力先VGAとドライバはCOPP対応？", "YES", "コネクタータイプがInternal？", "YES",
                      "バスタイプがPCI-Express？", "YES", "出力先VGAとモニタはデジタルIF？", "NO",
                      "出力先VGAとモニタはVGA端子出力？", "YES", kFlowHeader,
                      "出力先VGAは現在オーバーレイ使用可能？", "YES", "出力先VGAとドライバはCOPP対応？", "YES",
                      "コネクタータイプがInternal？", "YES", "-- 表示可１?"}});
  }
  {
    DisplayCheckRecord r = WorkingCopp(5);
    r.hdcpSetOk = 1;
    JudgeResult want{};
    want.displayOk = 1;
    cases.push_back({"HdmiWithHdcp", r, want,
                     {kListingHeader, "出力先VGAは現在オーバーレイ使用可能？", "YES",
                      "出力先VGAとドライバはCOPP対応？", "YES", "コネクタータイプがInternal？", "NO",
                      "バスタイプがPCI-Express？", "YES", "出力先VGAとモニタはデジタルIF？", "YES",
                      "出力先VGAとモニタはHDCP対応？", "YES", "出力先VGAとモニタはVGA端子出力？", "NO",
                      "出力先VGAはCGMSA対応？", "NO", kFlowHeader, "出力先VGAは現在オーバーレイ使用可能？",
                      "YES", "出力先VGAとドライバはCOPP対応？", "YES", "コネクタータイプがInternal？", "NO",
                      "バスタイプがPCI-Express？", "YES", "出力先VGAとモニタはデジタルIF？", "YES",
                      "出力先VGAとモニタはHDCP対応？", "YES"}});
  }
  {
    JudgeResult want{};
    want.displayNg = want.ngHdcp = want.ngCgmsa = 1;
    cases.push_back({"HdmiWithoutHdcpOrCgmsa", WorkingCopp(5), want,
                     {kListingHeader, "出力先VGAは現在オーバーレイ使用可能？", "YES",
                      "出力先VGAとドライバはCOPP対応？", "YES", "コネクタータイプがInternal？", "NO",
                      "バスタイプがPCI-Express？", "YES", "出力先VGAとモニタはデジタルIF？", "YES",
                      "出力先VGAとモニタはHDCP対応？", "NO", "出力先VGAとモニタはVGA端子出力？", "NO",
                      "出力先VGAはCGMSA対応？", "NO", kFlowHeader, "出力先VGAは現在オーバーレイ使用可能？",
                      "YES", "出力先VGAとドライバはCOPP対応？", "YES", "コネクタータイプがInternal？", "NO",
                      "バスタイプがPCI-Express？", "YES", "出力先VGAとモニタはデジタルIF？", "YES",
                      "出力先VGAとモニタはHDCP対応？", "NO", "-- 表示不可要因９(デジタルでHDCPに対応していない)",
                      "出力先VGAとモニタはVGA端子出力？", "NO", "出力先VGAはCGMSA対応？", "NO",
                      "-- 表示不可要因１１(CGMSAに対応していない)"}});
  }
  {
    DisplayCheckRecord r = WorkingCopp(5);
    r.cgmsaLevelsOk = 4;
    JudgeResult want{};
    want.displayOk = want.displayNg = want.ngHdcp = 1;
    cases.push_back({"HdmiWithoutHdcpButCgmsa", r, want,
                     {kListingHeader, "出力先VGAは現在オーバーレイ使用可能？", "YES",
                      "出力先VGAとドライバはCOPP対応？", "YES", "コネクタータイプがInternal？", "NO",
                      "バスタイプがPCI-Express？", "YES", "出力先VGAとモニタはデジタルIF？", "YES",
                      "出力先VGAとモニタはHDCP対応？", "NO", "出力先VGAとモニタはVGA端子出力？", "NO",
                      "出力先VGAはCGMSA対応？", "YES", kFlowHeader, "出力先VGAは現在オーバーレイ使用可能？",
                      "YES", "出力先VGAとドライバはCOPP対応？", "YES", "コネクタータイプがInternal？", "NO",
                      "バスタイプがPCI-Express？", "YES", "出力先VGAとモニタはデジタルIF？", "YES",
                      "出力先VGAとモニタはHDCP対応？", "NO", "-- 表示不可要因９(デジタルでHDCPに対応していない)",
                      "出力先VGAとモニタはVGA端子出力？", "NO", "出力先VGAはCGMSA対応？", "YES", "-- 表示可１"}});
  }
  {
    JudgeResult want{};
    want.displayDownscaled = want.analogVgaOutput = 1;
    cases.push_back({"Vga", WorkingCopp(0), want,
                     {kListingHeader, "出力先VGAは現在オーバーレイ使用可能？", "YES",
                      "出力先VGAとドライバはCOPP対応？", "YES", "コネクタータイプがInternal？", "NO",
                      "バスタイプがPCI-Express？", "YES", "出力先VGAとモニタはデジタルIF？", "NO",
                      "出力先VGAとモニタはVGA端子出力？", "YES", kFlowHeader,
                      "出力先VGAは現在オーバーレイ使用可能？", "YES", "出力先VGAとドライバはCOPP対応？", "YES",
                      "コネクタータイプがInternal？", "NO", "バスタイプがPCI-Express？", "YES",
                      "出力先VGAとモニタはデジタルIF？", "NO", "出力先VGAとモニタはVGA端子出力？", "YES"}});
  }
  {
    DisplayCheckRecord r = WorkingCopp(8);
    r.cgmsaLevelsOk = 4;
    JudgeResult want{};
    want.displayOk = 1;
    cases.push_back({"DJpnAsksCgmsa", r, want,
                     {kListingHeader, "出力先VGAは現在オーバーレイ使用可能？", "YES",
                      "出力先VGAとドライバはCOPP対応？", "YES", "コネクタータイプがInternal？", "NO",
                      "バスタイプがPCI-Express？", "YES", "出力先VGAとモニタはデジタルIF？", "NO",
                      "出力先VGAとモニタはVGA端子出力？", "NO", "出力先VGAはCGMSA対応？", "YES", kFlowHeader,
                      "出力先VGAは現在オーバーレイ使用可能？", "YES", "出力先VGAとドライバはCOPP対応？", "YES",
                      "コネクタータイプがInternal？", "NO", "バスタイプがPCI-Express？", "YES",
                      "出力先VGAとモニタはデジタルIF？", "NO", "出力先VGAとモニタはVGA端子出力？", "NO",
                      "出力先VGAはCGMSA対応？", "YES", "-- 表示可１"}});
  }
  {
    JudgeResult want{};
    want.displayNg = want.ngCgmsa = 1;
    cases.push_back({"SVideoWithoutCgmsa", WorkingCopp(1), want,
                     {kListingHeader, "出力先VGAは現在オーバーレイ使用可能？", "YES",
                      "出力先VGAとドライバはCOPP対応？", "YES", "コネクタータイプがInternal？", "NO",
                      "バスタイプがPCI-Express？", "YES", "出力先VGAとモニタはデジタルIF？", "NO",
                      "出力先VGAとモニタはVGA端子出力？", "NO", "出力先VGAはCGMSA対応？", "NO", kFlowHeader,
                      "出力先VGAは現在オーバーレイ使用可能？", "YES", "出力先VGAとドライバはCOPP対応？", "YES",
                      "コネクタータイプがInternal？", "NO", "バスタイプがPCI-Express？", "YES",
                      "出力先VGAとモニタはデジタルIF？", "NO", "出力先VGAとモニタはVGA端子出力？", "NO",
                      "出力先VGAはCGMSA対応？", "NO", "-- 表示不可要因１１(CGMSAに対応していない)"}});
  }
  return cases;
}

bool SameResult(const JudgeResult& a, const JudgeResult& b) {
  return a.displayOk == b.displayOk && a.displayDownscaled == b.displayDownscaled &&
         a.displayNg == b.displayNg && a.analogVgaOutput == b.analogVgaOutput &&
         a.ngOverlay == b.ngOverlay && a.ngCopp == b.ngCopp && a.ngHdcp == b.ngHdcp &&
         a.ngCgmsa == b.ngCgmsa && a.retryFromStart == b.retryFromStart;
}

TEST(JudgeFlow, EveryOutcomeGivesItsFlagsAndWholeLog) {
  for (const FlowCase& c : FlowCases()) {
    SCOPED_TRACE(c.name);
    TraceCapture trace;
    JudgeResult result{};
    ListJudgeFactors(&c.record);
    DoJudge2(&c.record, &result);
    EXPECT_TRUE(SameResult(c.expected, result));
    EXPECT_EQ(JoinLines(c.expectedLog), JoinLines(trace.Lines()));
  }
}

TEST(JudgeFlow, BusTypeChangesOnlyItsAnswerLine) {
  for (const FlowCase& c : FlowCases()) {
    if (!c.record.coppOk || (c.record.connectorType & 0x80000000)) continue;
    SCOPED_TRACE(c.name);
    DisplayCheckRecord agp = c.record;
    agp.busType = 4;
    TraceCapture trace;
    JudgeResult result{};
    ListJudgeFactors(&agp);
    DoJudge2(&agp, &result);
    EXPECT_TRUE(SameResult(c.expected, result));
    Lines expected = c.expectedLog;
    for (size_t i = 0; i + 1 < expected.size(); ++i) {
      if (expected[i] == "バスタイプがPCI-Express？") expected[i + 1] = "NO";
    }
    EXPECT_EQ(JoinLines(expected), JoinLines(trace.Lines()));
  }
}

TEST(JudgeFlow, NeverClearsAFlagTheCallerLeftSet) {
  DisplayCheckRecord record = WorkingCopp(5);
  record.hdcpSetOk = 1;
  JudgeResult result{};
  result.ngCgmsa = 1;
  TraceCapture trace;
  DoJudge2(&record, &result);
  EXPECT_EQ(1, result.ngCgmsa);
  EXPECT_EQ(1, result.displayOk);
}

TEST(JudgeFlow, LogTextsAreCodePage932Bytes) {
  TraceCapture trace;
  JudgeResult result{};
  DisplayCheckRecord record = WorkingCopp(0x80000000);
  DoJudge2(&record, &result);
  ASSERT_FALSE(trace.Lines().empty());
  EXPECT_EQ(std::string("\x2d\x2d\x20\x95\x5c\x8e\xa6\x89\xc2\x82\x50\x3f"), trace.Lines().back());
  EXPECT_EQ(std::string("\x8f\x6f\x97\xcd\x90\xe6\x56\x47\x41\x82\xc6\x83\x68\x83\x89\x83\x43\x83\x6f\x82"
                        "\xcd\x43\x4f\x50\x50\x91\xce\x89\x9e\x81\x48"),
            trace.Lines()[3]);
}

// Reads a log section as question -> answer, for questions followed by YES/NO.
std::map<std::string, std::string> Answers(const Lines& lines, size_t begin, size_t end) {
  std::map<std::string, std::string> answers;
  for (size_t i = begin; i + 1 < end; ++i) {
    if (lines[i + 1] == "YES" || lines[i + 1] == "NO") answers[lines[i]] = lines[i + 1];
  }
  return answers;
}

TEST(JudgeFlow, ListingAndFlowAgreeOnEverySharedQuestion) {
  std::vector<uint32_t> connectors;
  for (uint32_t type = 0; type <= 13; ++type) {
    connectors.push_back(type);
    connectors.push_back(type | 0x80000000);
  }
  connectors.push_back(0xFFFFFFFF);
  for (uint32_t connector : connectors) {
    for (int hdcp = 0; hdcp <= 1; ++hdcp) {
      for (int cgmsa = 0; cgmsa <= 1; ++cgmsa) {
        SCOPED_TRACE(::testing::Message() << std::hex << connector << " hdcp " << hdcp << " cgmsa " << cgmsa);
        DisplayCheckRecord record = WorkingCopp(connector);
        record.hdcpSetOk = hdcp;
        record.cgmsaLevelsOk = cgmsa ? 4 : 0;
        TraceCapture trace;
        JudgeResult result{};
        ListJudgeFactors(&record);
        const size_t flowStart = trace.Lines().size();
        DoJudge2(&record, &result);
        const Lines& lines = trace.Lines();
        ASSERT_EQ(kFlowHeader, lines[flowStart]);
        const auto listed = Answers(lines, 0, flowStart);
        const auto judged = Answers(lines, flowStart, lines.size());
        ASSERT_FALSE(judged.empty());
        for (const auto& [question, answer] : judged) {
          auto it = listed.find(question);
          ASSERT_NE(listed.end(), it) << question;
          EXPECT_EQ(it->second, answer) << question;
        }
      }
    }
  }
}

}  // namespace
