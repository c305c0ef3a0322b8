#include "simrenderer/scenario_environment.h"

#include <gtest/gtest.h>

#include "copp/copp_wire.h"

namespace {

TEST(ScenarioEnvironment, KeysSetTheDriverAnswers) {
  SimScenario scenario;
  std::string error;
  ASSERT_TRUE(ApplyScenarioText(
      "connector=0x80000000;bus=4;protection=0x15;hdcpTakes=0;cgmsaTakes=0x7;levelBits=0x80000000;"
      "hdcpLocal=2;cgmsaGlobal=3;keyExchange=0x8004029B;sessionStart=0xC026251E;copp=1",
      &scenario, &error))
      << error;
  EXPECT_EQ(0x80000000u, scenario.connectorType);
  EXPECT_EQ(4u, scenario.busType);
  EXPECT_EQ(0x15u, scenario.protectionMask);
  EXPECT_FALSE(scenario.hdcpTakes);
  EXPECT_TRUE(scenario.cgmsaTakes[1]);
  EXPECT_TRUE(scenario.cgmsaTakes[3]);
  EXPECT_FALSE(scenario.cgmsaTakes[4]);
  EXPECT_EQ(0x80000000u, scenario.levelReadBackBits);
  EXPECT_EQ(2u, scenario.hdcpLocalLevel);
  EXPECT_EQ(3u, scenario.cgmsaGlobalLevel);
  EXPECT_EQ(static_cast<HRESULT>(0x8004029B), scenario.keyExchangeResult);
  EXPECT_EQ(static_cast<HRESULT>(0xC026251E), scenario.sessionStartResult);
  EXPECT_TRUE(scenario.offersCopp);
}

TEST(ScenarioEnvironment, FirstConnectorQueryFaultTargetsOnlyThatRequest) {
  SimScenario scenario;
  std::string error;
  ASSERT_TRUE(ApplyScenarioText("firstConnectorQuery=0xC026251E;everyCommand=0x80004005", &scenario, &error));
  EXPECT_TRUE(IsEqualGUID(DXVA_COPPQueryConnectorType, scenario.statusFaults[0].requestId));
  EXPECT_EQ(1u, scenario.statusFaults[0].occurrence);
  EXPECT_EQ(static_cast<HRESULT>(0xC026251E), scenario.statusFaults[0].result);
  EXPECT_EQ(~0u, scenario.commandFaultOccurrence);
  EXPECT_EQ(E_FAIL, scenario.commandFaultResult);
}

TEST(ScenarioEnvironment, NthFaultKeysSetTheRequestAndWhatItMeets) {
  const struct {
    const char* text;
    SimNthStatusFault status;
    uint32_t commandFault;
    HRESULT commandResult;
    uint32_t ignoredCommand;
  } rows[] = {
      {"statusFault=3;statusFaultResult=0xC026251E", {3, static_cast<HRESULT>(0xC026251E)}, 0, S_OK, 0},
      {"statusFaultTag=1;statusFault=14", {14, S_OK, true}, 0, S_OK, 0},
      {"statusFault=2;statusFaultEcho=1", {2, S_OK, false, true}, 0, S_OK, 0},
      {"statusFault=5;statusFaultSize=0", {5, S_OK, false, false, true, 0}, 0, S_OK, 0},
      {"statusFault=5;statusFaultSize=4077", {5, S_OK, false, false, true, 4077}, 0, S_OK, 0},
      {"commandFaultResult=0x8004029B;commandFault=4", {}, 4, static_cast<HRESULT>(0x8004029B), 0},
      {"commandFault=1;commandFaultIgnored=1", {}, 0, S_OK, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    SimScenario scenario;
    std::string error;
    ASSERT_TRUE(ApplyScenarioText(row.text, &scenario, &error)) << error;
    EXPECT_EQ(row.status.n, scenario.nthStatus.n);
    EXPECT_EQ(row.status.result, scenario.nthStatus.result);
    EXPECT_EQ(row.status.flipTag, scenario.nthStatus.flipTag);
    EXPECT_EQ(row.status.wrongEcho, scenario.nthStatus.wrongEcho);
    EXPECT_EQ(row.status.setsSizeData, scenario.nthStatus.setsSizeData);
    EXPECT_EQ(row.status.sizeData, scenario.nthStatus.sizeData);
    EXPECT_EQ(row.commandFault, scenario.commandFaultOccurrence);
    EXPECT_EQ(row.commandResult, scenario.commandFaultResult);
    EXPECT_EQ(row.ignoredCommand, scenario.ignoredCommand);
  }
}

// An unknown key, a bad value, a fault without its request or a request
// without its fault is refused by name.
TEST(ScenarioEnvironment, TextsThatCannotBeMetAreRefusedByName) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"statusFault=3", "statusFault"},
      {"statusFaultTag=1", "statusFault"},
      {"statusFault=3;statusFaultResult=0", "statusFaultResult"},
      {"commandFault=2", "commandFault"},
      {"commandFaultIgnored=1", "commandFault"},
      {"commandFault=2;commandFaultResult=0x80004005;commandFaultIgnored=1", "commandFault"},
      {"commandFault=2;commandFaultResult=1", "commandFaultResult"},
      {"sessionStartRuns=1", "sessionStartRuns"},
      {"connectr=5", "connectr"},
      {"connector=five", "connector=five"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    SimScenario scenario;
    std::string error;
    EXPECT_FALSE(ApplyScenarioText(c.text, &scenario, &error));
    EXPECT_EQ(c.error, error);
  }
}

}  // namespace
