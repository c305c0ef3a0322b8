#include "judge/display_check_record.h"

#include <gtest/gtest.h>

namespace {

struct PredicateRow {
  const char* name;
  uint32_t connectorType;
  uint32_t busType;
  int internal, vga, digital, pciExpress;
};

class PredicateTable : public ::testing::TestWithParam<PredicateRow> {};

TEST_P(PredicateTable, ConnectorAndBusPredicates) {
  const PredicateRow& row = GetParam();
  DisplayCheckRecord record{};
  record.connectorType = row.connectorType;
  record.busType = row.busType;
  EXPECT_EQ(row.internal, IsConnectorInternal(&record));
  EXPECT_EQ(row.vga, IsVgaConnector(&record));
  EXPECT_EQ(row.digital, IsDigitalConnector(&record));
  EXPECT_EQ(row.pciExpress, IsBusPciExpress(&record));
}

INSTANTIATE_TEST_SUITE_P(
    Values, PredicateTable,
    ::testing::Values(
        PredicateRow{"ZeroFilled", 0, 0, 0, 1, 0, 0},
        PredicateRow{"UnknownConnectorCountsAsInternal", 0xFFFFFFFF, 0, 1, 0, 0, 0},
        PredicateRow{"InternalVga", 0x80000000, 0, 1, 1, 0, 0},
        PredicateRow{"DJpnIsNotDigital", 8, 0, 0, 0, 0, 0},
        PredicateRow{"Hdmi", 5, 3, 0, 0, 1, 1},
        PredicateRow{"IntegratedPciExpress", 4, 0x80000003, 0, 0, 1, 1},
        PredicateRow{"Agp", 0, 4, 0, 1, 0, 0},
        PredicateRow{"UdiEmbeddedInternal", 0x8000000D, 1, 1, 0, 1, 0},
        PredicateRow{"BeyondTableIsAnalogue", 14, 0, 0, 0, 0, 0}),
    [](const ::testing::TestParamInfo<PredicateRow>& info) { return info.param.name; });

// The connector and bus predicates of a zero-filled record are the table's first row.
TEST(DisplayCheckRecordPredicates, ZeroFilledRecordAnswersNoOtherQuestion) {
  DisplayCheckRecord record{};
  EXPECT_EQ(0, IsOverlayUsable(&record));
  EXPECT_EQ(0, IsCoppUsable(&record));
  EXPECT_EQ(0, IsHdcpSetOk(&record));
  EXPECT_EQ(0, IsCgmsaOk(&record));
  EXPECT_EQ(0, NeedsRetryFromStart(&record));
}

TEST(DisplayCheckRecordPredicates, DigitalSetIsExactlyTheDigitalConnectors) {
  DisplayCheckRecord record{};
  const int expected[14] = {0, 0, 0, 0, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1};
  for (uint32_t type = 0; type < 14; ++type) {
    record.connectorType = type;
    EXPECT_EQ(expected[type], IsDigitalConnector(&record)) << type;
    record.connectorType = type | 0x80000000;
    EXPECT_EQ(expected[type], IsDigitalConnector(&record)) << "internal " << type;
  }
}

}  // namespace
