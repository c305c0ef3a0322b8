#include "trace/judge_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/trace_capture.h"

namespace {

TEST(JudgeTrace, FormatsLikeWvsprintf) {
  struct Row {
    const char* name;
    std::string expected;
    void (*write)();
  };
  const Row rows[] = {
      {"NoConversionsPassUnchanged", "========== 判定ログ ==========",
       [] { JudgeTrace("========== 判定ログ =========="); }},
      {"PercentPercentGivesPercent", "100%", [] { JudgeTrace("100%%"); }},
      {"EightDigitHex", "VendorId = 00000004 DeviceId = 80000001",
       [] { JudgeTrace("VendorId = %08x DeviceId = %08x", 4u, 0x80000001u); }},
      {"DecimalAndString", "vmb  = 256 可", [] { JudgeTrace("vmb  = %d %s", 256, "可"); }},
      {"ResultCodeAsHex", "hr = 8004029b", [] { JudgeTrace("hr = %x", 0x8004029Bu); }},
  };
  // One message a call, in order.
  TraceCapture trace;
  std::vector<std::string> expected;
  for (const Row& row : rows) {
    row.write();
    expected.push_back(row.expected);
  }
  EXPECT_EQ(expected, trace.Lines());
}

TEST(JudgeTrace, LongTextIsCutTo1023Characters) {
  const std::string text(2000, 'x');
  TraceCapture trace;
  JudgeTrace("%s", text.c_str());
  ASSERT_EQ(1u, trace.Lines().size());
  EXPECT_EQ(std::string(1023, 'x'), trace.Lines()[0]);
}

TEST(JudgeTrace, RestoringTheSinkStopsCapture) {
  std::string before;
  {
    TraceCapture trace;
    JudgeTrace("captured");
    before = trace.Lines().at(0);
  }
  TraceCapture later;
  EXPECT_TRUE(later.Lines().empty());
  EXPECT_EQ("captured", before);
}

}  // namespace
