#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "copp/copp_names.h"
#include "copp/copp_queries.h"
#include "copp/copp_wire.h"
#include "tests/copp/copp_fixture.h"

namespace {

using Lines = std::vector<std::string>;

struct NameRow {
  uint32_t value;
  Lines lines;
};

void ExpectNames(void (*writer)(uint32_t), const std::vector<NameRow>& rows) {
  for (const NameRow& row : rows) {
    SCOPED_TRACE(row.value);
    TraceCapture trace;
    writer(row.value);
    EXPECT_EQ(JoinLines(row.lines), JoinLines(trace.Lines()));
  }
}

TEST(CoppNames, BusTypes) {
  const char* const names[] = {"Unknown", "PCI", "PCIX", "PCIExpress", "AGP"};
  std::vector<NameRow> rows;
  for (uint32_t i = 0; i < 5; ++i) {
    const std::string name = std::string("COPP_BusType_") + names[i];
    rows.push_back({i, {name}});
    rows.push_back({0x80000000u + i, {name + "(Integrated)"}});
  }
  for (uint32_t v : {5u, 0x80000005u, 0xFFFFFFFFu}) rows.push_back({v, {}});
  ExpectNames(TraceBusTypeName, rows);
}

TEST(CoppNames, ConnectorTypes) {
  const char* const names[] = {"VGA",
                               "SVideo",
                               "CompositeVideo",
                               "ComponentVideo",
                               "DVI",
                               "HDMI",
                               "LVDS",
                               "TMDS",
                               "D_JPN",
                               "SDI",
                               "DisplayPortExternal",
                               "DisplayPortEmbedded",
                               "UDIExternal",
                               "UDIEmbedded"};
  std::vector<NameRow> rows;
  for (uint32_t i = 0; i < 14; ++i) {
    const std::string name = std::string("COPP_ConnectorType_") + names[i];
    rows.push_back({i, {name}});
    rows.push_back({0x80000000u + i, {name + "(Internal)"}});
  }
  rows.push_back({0xFFFFFFFF, {"COPP_ConnectorType_Unknown"}});
  rows.push_back({14, {}});
  rows.push_back({0x8000000E, {}});
  rows.push_back({0x7FFFFFFF, {}});
  ExpectNames(TraceConnectorTypeName, rows);
}

TEST(CoppNames, ProtectionTypes) {
  ExpectNames(TraceProtectionTypeNames,
              {{0, {"COPP_ProtectionType_None"}},
               {0x80000000, {"COPP_ProtectionType_Unknown"}},
               {0x80000005, {"COPP_ProtectionType_HDCP", "COPP_ProtectionType_CGMSA"}},
               {0x15, {"COPP_ProtectionType_HDCP", "COPP_ProtectionType_CGMSA", "COPP_ProtectionType_DPCP"}},
               {0x2, {"COPP_ProtectionType_ACP"}},
               {0x1F,
                {"COPP_ProtectionType_HDCP", "COPP_ProtectionType_ACP", "COPP_ProtectionType_CGMSA",
                 "COPP_ProtectionType_DPCP"}},
               {0x8, {}}});
}

TEST(CoppNames, HdcpLevels) {
  ExpectNames(
      TraceHdcpLevelName,
      {{0, {"COPP_HDCP_Level0"}}, {1, {"COPP_HDCP_Level1"}}, {2, {}}, {0x80000001, {}}, {0x80000000, {}}});
}

TEST(CoppNames, CgmsaLevels) {
  const char* const base[] = {"Disabled", "CopyFreely", "CopyNoMore", "CopyOneGeneration", "CopyNever"};
  std::vector<NameRow> rows;
  for (uint32_t i = 0; i < 5; ++i) {
    rows.push_back({i, {std::string("COPP_CGMSA_") + base[i]}});
    rows.push_back({8 + i, {std::string("COPP_CGMSA_") + base[i] + "(RedistributionControlRequired)"}});
  }
  for (uint32_t v : {5u, 6u, 7u, 13u, 15u, 0x80000001u}) rows.push_back({v, {}});
  ExpectNames(TraceCgmsaLevelName, rows);
}

using CoppQueriesTest = OpenCoppFixture;

TEST_F(CoppQueriesTest, EachQueryWritesValueLineAndNames) {
  Scenario().busType = 0x80000003;
  Scenario().connectorType = 14;
  Scenario().protectionMask = 0x80000005;
  Scenario().hdcpLocalLevel = 0x80000001;
  Scenario().hdcpGlobalLevel = 1;
  Scenario().cgmsaLocalLevel = 5;
  Scenario().cgmsaGlobalLevel = 9;
  Scenario().statusFlags = 0x3;
  struct Row {
    const char* name;
    CoppResult (*query)(uint32_t*, uint32_t*);
    uint32_t value;
    Lines lines;
  };
  const Row rows[] = {
      {"Bus",
       CoppGetBusType,
       0x80000003,
       {"Bus Typeの取得データ = 80000003", "COPP_BusType_PCIExpress(Integrated)"}},
      {"Connector", CoppGetConnectorType, 14, {"Connector Typeの取得データ = 0000000e"}},
      {"Protection",
       CoppGetProtectionTypes,
       0x80000005,
       {"Protection Typeの取得データ = 80000005", "COPP_ProtectionType_HDCP", "COPP_ProtectionType_CGMSA"}},
      {"HdcpLocal",
       CoppGetHdcpLocalLevel,
       0x80000001,
       {"HDCP Local Protection Levelの取得データ = 80000001"}},
      {"HdcpGlobal",
       CoppGetGlobalLevel,
       1,
       {"Global Protection Levelの取得データ = 00000001", "COPP_HDCP_Level1"}},
      {"CgmsaLocal", CoppGetCgmsaLocalLevel, 5, {"CGMSA Local Protection Levelの取得データ = 00000005"}},
      {"CgmsaGlobal",
       CoppGetCgmsaGlobalLevel,
       9,
       {"CGMSA Global Protection Levelの取得データ = 00000009",
        "COPP_CGMSA_CopyFreely(RedistributionControlRequired)"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    uint32_t value = 0xAAAA, flags = 0xBBBB;
    TraceCapture trace;
    EXPECT_EQ(kCoppOk, row.query(&value, &flags));
    EXPECT_EQ(row.value, value);
    EXPECT_EQ(0x3u, flags);
    EXPECT_EQ(JoinLines(row.lines), JoinLines(trace.Lines()));
  }
}

TEST_F(CoppQueriesTest, FailuresLeaveOutputsAndMapToCodes) {
  struct Row {
    const char* name;
    HRESULT driverResult;
    CoppResult expected;
    const char* line;
  };
  const Row rows[] = {
      {"RetryFromStart", static_cast<HRESULT>(0xC026251E), kCoppRetryFromStart,
       "ProtectionStatus()に失敗 hr = c026251e"},
      {"OtherFailure", E_FAIL, kCoppFailed, "ProtectionStatus()に失敗 hr = 80004005"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Scenario().statusFaults[0] = {GUID_NULL, 0, 0, row.driverResult};
    uint32_t value = 0xFFFFFFFF, flags = 0x1234;
    TraceCapture trace;
    EXPECT_EQ(row.expected, CoppGetConnectorType(&value, &flags));
    EXPECT_EQ(0xFFFFFFFFu, value);
    EXPECT_EQ(0x1234u, flags);
    EXPECT_EQ(std::vector<std::string>{row.line}, trace.Lines());

    Scenario().commandFaultOccurrence = ~0u;
    Scenario().commandFaultResult = row.driverResult;
    trace.Clear();
    EXPECT_EQ(row.expected, CoppSetCgmsaLevel(3));
    ASSERT_EQ(2u, trace.Lines().size()) << JoinLines(trace.Lines());
    EXPECT_EQ("COPP_CGMSA_CopyOneGeneration", trace.Lines()[0]);
    Scenario().commandFaultOccurrence = 0;
    Scenario().statusFaults[0] = {};
  }
}

TEST_F(CoppQueriesTest, FailingMacGivesOneAndNoValueLine) {
  Scenario().flipMacOnStatus = 1;
  uint32_t value = 0x80000000, flags = 0;
  TraceCapture trace;
  EXPECT_EQ(kCoppFailed, CoppGetProtectionTypes(&value, &flags));
  EXPECT_EQ(0x80000000u, value);
  EXPECT_EQ(std::vector<std::string>{"omac memcmp err"}, trace.Lines());
}

TEST_F(CoppQueriesTest, FirstConnectorQueryOnlyCanBeMadeToAskForRetry) {
  Scenario().statusFaults[0] = {DXVA_COPPQueryConnectorType, 0, 1, static_cast<HRESULT>(0xC026251E)};
  uint32_t value = 0, flags = 0;
  EXPECT_EQ(kCoppRetryFromStart, CoppGetConnectorType(&value, &flags));
  EXPECT_EQ(kCoppOk, CoppGetBusType(&value, &flags));
  EXPECT_EQ(kCoppOk, CoppGetConnectorType(&value, &flags));
  EXPECT_EQ(5u, value);
}

TEST_F(CoppQueriesTest, LevelCommandsTakeAsTheDriverSays) {
  Scenario().levelReadBackBits = 0x80000000;
  Scenario().cgmsaTakes[4] = false;
  TraceCapture trace;
  uint32_t level = 0, flags = 0;
  EXPECT_EQ(kCoppOk, CoppSetHdcpLevel(1));
  EXPECT_EQ(kCoppOk, CoppGetHdcpLocalLevel(&level, &flags));
  EXPECT_EQ(0x80000001u, level);
  EXPECT_EQ(1u, Observed().lastCommandType);
  for (uint32_t l = 1; l <= 4; ++l) {
    EXPECT_EQ(kCoppOk, CoppSetCgmsaLevel(l));
    EXPECT_EQ(kCoppOk, CoppGetCgmsaLocalLevel(&level, &flags));
    EXPECT_EQ(l == 4 ? 0x80000003u : (0x80000000u | l), level) << l;
  }
  EXPECT_EQ(4u, Observed().lastCommandType);
  EXPECT_EQ("COPP_HDCP_Level1", trace.Lines()[0]);
  EXPECT_EQ("HDCP Local Protection Levelの取得データ = 80000001", trace.Lines()[1]);
  EXPECT_EQ("COPP_CGMSA_CopyFreely", trace.Lines()[2]);
}

}  // namespace
