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

TEST(ScenarioEnvironment, UnknownKeyOrBadValueIsRefusedByName) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {{"connectr=5", "connectr"}, {"connector=five", "connector=five"}};
  for (const auto& c : cases) {
    SimScenario scenario;
    std::string error;
    EXPECT_FALSE(ApplyScenarioText(c.text, &scenario, &error));
    EXPECT_EQ(c.error, error);
  }
}

}  // namespace
