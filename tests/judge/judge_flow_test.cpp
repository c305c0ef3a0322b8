#include "judge/judge_flow.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/judge/run_log_expectations.h"
#include "tests/support/trace_capture.h"

namespace {

DisplayCheckRecord WorkingCopp(uint32_t connector, int hdcpSetOk = 0, int cgmsaLevelsOk = 0) {
  return ExpectedRecord(0, 0, 3, connector, 0, hdcpSetOk, cgmsaLevelsOk);
}

struct FlowCase {
  const char* name;  // its whole log is tests/golden/judge_flow/<name>.txt
  DisplayCheckRecord record;
  JudgeResult expected;
};

const char kFlowHeader[] = "---------- 判定処理フロー ---------";

std::vector<FlowCase> FlowCases() {
  DisplayCheckRecord nothing{};
  nothing.connectorType = 5;
  using R = JudgeResult;
  return {
      {"CoppUnusable", FailedCoppRecord(0, 0, 0), Flags({&R::displayNg, &R::ngCopp})},
      {"CoppUnusableWithRetry", FailedCoppRecord(0, 0, 1),
       Flags({&R::displayNg, &R::ngCopp, &R::retryFromStart})},
      {"NoOverlayNoCoppWithoutRetry", nothing, Flags({&R::displayNg, &R::ngOverlay, &R::ngCopp})},
      {"InternalVga", WorkingCopp(0x80000000), Flags({&R::displayOk})},
      {"InternalTmds", WorkingCopp(0x80000007), Flags({&R::displayOk})},
      {"HdmiWithHdcp", WorkingCopp(5, 1, 0), Flags({&R::displayOk})},
      {"HdmiWithHdcpAndCgmsa", WorkingCopp(5, 1, 4), Flags({&R::displayOk})},
      {"HdmiWithoutHdcpOrCgmsa", WorkingCopp(5), Flags({&R::displayNg, &R::ngHdcp, &R::ngCgmsa})},
      {"HdmiWithoutHdcpButCgmsa", WorkingCopp(5, 0, 4), Flags({&R::displayOk, &R::displayNg, &R::ngHdcp})},
      {"Vga", WorkingCopp(0), Flags({&R::displayDownscaled, &R::analogVgaOutput})},
      {"DJpnAsksCgmsa", WorkingCopp(8, 0, 4), Flags({&R::displayOk})},
      {"SVideoWithoutCgmsa", WorkingCopp(1), Flags({&R::displayNg, &R::ngCgmsa})},
  };
}

// Any bus but PCI Express changes only its answer line.
TEST(JudgeFlow, EveryOutcomeGivesItsFlagsAndWholeLogOnEitherBus) {
  for (const FlowCase& c : FlowCases()) {
    for (const bool pciExpress : {true, false}) {
      if (!pciExpress && (!c.record.coppOk || (c.record.connectorType & 0x80000000))) continue;
      SCOPED_TRACE(std::string(c.name) + (pciExpress ? "" : " on AGP"));
      DisplayCheckRecord record = c.record;
      if (!pciExpress) record.busType = 4;
      TraceCapture trace;
      JudgeResult result{};
      ListJudgeFactors(&record);
      DoJudge2(&record, &result);
      EXPECT_EQ(Describe(c.expected), Describe(result));
      EXPECT_EQ(JoinLines(FlowTail(c.name, pciExpress)), JoinLines(trace.Lines()));
    }
  }
}

TEST(JudgeFlow, NeverClearsAFlagTheCallerLeftSet) {
  DisplayCheckRecord record = WorkingCopp(5, 1);
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
        DisplayCheckRecord record = WorkingCopp(connector, hdcp, cgmsa ? 4 : 0);
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
