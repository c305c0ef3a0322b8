#include "ui/own_part_fault_text.h"

#include <gtest/gtest.h>

namespace {

// The support line names our part and the code as support reads it back.
TEST(OwnPartFaultText, MessageThenAnEmptyLineThenThePartAndItsCode) {
  const struct {
    OwnPartFault fault;
    const char* expected;
  } cases[] = {
      {{OwnPart::kSourceFilter, 0x80040154ul}, "M\r\n\r\nサポート情報: ball_source.dll 0x80040154"},
      {{OwnPart::kKeyContainer, 0x80090016ul}, "M\r\n\r\nサポート情報: キーコンテナー wznChecker 0x80090016"},
      {{OwnPart::kKeyContainer, 5ul}, "M\r\n\r\nサポート情報: キーコンテナー wznChecker 0x00000005"},
  };
  for (const auto& c : cases) EXPECT_EQ(OwnPartFaultText("M", c.fault), c.expected);
}

}  // namespace
