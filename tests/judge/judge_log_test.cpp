#include "trace/judge_log.h"

#include <gtest/gtest.h>

#include <string>

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
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TraceCapture trace;
    row.write();
    ASSERT_EQ(1u, trace.Lines().size());
    EXPECT_EQ(row.expected, trace.Lines()[0]);
  }
}

TEST(JudgeTrace, LongTextIsCutTo1023Characters) {
  const std::string text(2000, 'x');
  TraceCapture trace;
  JudgeTrace("%s", text.c_str());
  ASSERT_EQ(1u, trace.Lines().size());
  EXPECT_EQ(std::string(1023, 'x'), trace.Lines()[0]);
}

TEST(JudgeTrace, TwoCallsAreTwoMessages) {
  TraceCapture trace;
  JudgeTrace("VGA情報");
  JudgeTrace("VendorId = %08x DeviceId = %08x", 0x10DEu, 0x0640u);
  ASSERT_EQ(2u, trace.Lines().size());
  EXPECT_EQ("VGA情報", trace.Lines()[0]);
  EXPECT_EQ("VendorId = 000010de DeviceId = 00000640", trace.Lines()[1]);
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
