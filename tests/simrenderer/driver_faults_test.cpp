#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "copp/copp_messages.h"
#include "copp/copp_queries.h"
#include "copp/copp_wire.h"
#include "simrenderer/driver_census.h"
#include "simrenderer/driver_peer.h"
#include "simrenderer/scenario_environment.h"
#include "tests/copp/copp_fixture.h"

namespace {

// The n-th request fault, met by the real client: only the n-th request is
// touched, and each kind reaches the client the way a driver would send it.
class NthStatusFault : public OpenCoppFixture {
 protected:
  HRESULT AskBus(DXVA_COPPStatusData* answer, uint32_t* length) {
    *answer = {};
    *length = sizeof(*answer);
    return CoppStatusRequest(DXVA_COPPQueryBusData, nullptr, 0, answer, length);
  }
};

TEST_F(NthStatusFault, TouchesOnlyTheNthRequestOfTheSession) {
  const struct {
    const char* name;
    SimNthStatusFault fault;
    HRESULT second;
    uint32_t secondLength;
    bool echoMatches;
    HRESULT third;  // the client reuses a number the driver has used only after a bad tag
  } rows[] = {
      {"Result", {2, static_cast<HRESULT>(0xC026251E)}, static_cast<HRESULT>(0xC026251E), 32, true, S_OK},
      {"FlippedTag", {2, S_OK, true}, E_UNEXPECTED, 32, true, kSimBadSequence},
      {"WrongEcho", {2, S_OK, false, true}, S_OK, 32, false, S_OK},
      {"SizeZero", {2, S_OK, false, false, true, 0}, S_OK, 0, true, S_OK},
      {"Size4077", {2, S_OK, false, false, true, 4077}, S_OK, 32, true, S_OK},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    CoppCloseSession();
    renderer_->Release();
    renderer_ = CreateSimCoppRenderer();
    Scenario().nthStatus = row.fault;
    ASSERT_EQ(kCoppOk, Open());
    DXVA_COPPStatusData answer;
    uint32_t length = 0;
    ASSERT_EQ(S_OK, AskBus(&answer, &length));
    EXPECT_EQ(0, memcmp(&answer.rApp, &Observed().lastRApp, 16));
    EXPECT_EQ(row.second, AskBus(&answer, &length));
    if (SUCCEEDED(row.second)) {
      EXPECT_EQ(row.secondLength, length);
      if (length) {
        EXPECT_EQ(row.echoMatches, memcmp(&answer.rApp, &Observed().lastRApp, 16) == 0);
        EXPECT_EQ(3u, answer.dwData);
      }
    }
    EXPECT_EQ(row.third, AskBus(&answer, &length));
    EXPECT_EQ(3u, Observed().statusRequests);
  }
}

TEST_F(NthStatusFault, IgnoredCommandIsAcceptedAndChangesNothing) {
  Scenario().ignoredCommand = 2;
  uint32_t level = 0, flags = 0;
  EXPECT_EQ(kCoppOk, CoppSetCgmsaLevel(1));
  EXPECT_EQ(kCoppOk, CoppSetCgmsaLevel(2));
  EXPECT_EQ(kCoppOk, CoppGetCgmsaLocalLevel(&level, &flags));
  EXPECT_EQ(1u, level);
  EXPECT_EQ(kCoppOk, CoppSetCgmsaLevel(3));
  EXPECT_EQ(kCoppOk, CoppGetCgmsaLocalLevel(&level, &flags));
  EXPECT_EQ(3u, level);
  EXPECT_EQ(3u, Observed().commandsAccepted);
  EXPECT_EQ(3u, Observed().commandsReceived);
}

SimCoppRenderer* AsRenderer(IUnknown* peer) {
  return static_cast<SimCoppRenderer*>(static_cast<IAMCertifiedOutputProtection*>(peer));
}

// A program that keeps one scenario text sees the session start refused in
// its first runs only; a new text counts afresh.
TEST(DriverPeer, SessionStartAnswersItsFaultOnlyInTheFirstRuns) {
  const char* const retryTwice = "sessionStart=0xC026251E;sessionStartRuns=2";
  const struct {
    const char* text;
    HRESULT sessionStart;
  } runs[] = {
      {retryTwice, static_cast<HRESULT>(0xC026251E)},
      {retryTwice, static_cast<HRESULT>(0xC026251E)},
      {retryTwice, S_OK},
      {retryTwice, S_OK},
      {"connector=4", S_OK},
      {retryTwice, static_cast<HRESULT>(0xC026251E)},
  };
  SimDriverCensus census = {};
  ReadDriverCensus(&census);
  const uint32_t created = census.peersCreated;
  for (const auto& run : runs) {
    SCOPED_TRACE(run.text);
    SetEnvironmentVariableA(kScenarioVariable, run.text);
    IUnknown* peer = nullptr;
    ASSERT_EQ(S_OK, CreateDriverPeerFromEnvironment(&peer));
    EXPECT_EQ(run.sessionStart, AsRenderer(peer)->Scenario().sessionStartResult);
    ReadDriverCensus(&census);
    EXPECT_EQ(1u, census.peersAlive);
    peer->Release();
  }
  SetEnvironmentVariableA(kScenarioVariable, nullptr);
  ReadDriverCensus(&census);
  EXPECT_EQ(created + 6, census.peersCreated);
  EXPECT_EQ(0u, census.peersAlive);
}

TEST(DriverPeer, ReleasedDriverLeavesWhatItSaw) {
  SetEnvironmentVariableA(kScenarioVariable, "connector=4");
  IUnknown* peer = nullptr;
  ASSERT_EQ(S_OK, CreateDriverPeerFromEnvironment(&peer));
  SetEnvironmentVariableA(kScenarioVariable, nullptr);
  ASSERT_EQ(kCoppOk, CoppOpenSession(AsRendererFilter(AsRenderer(peer))));
  uint32_t value = 0, flags = 0;
  EXPECT_EQ(kCoppOk, CoppGetConnectorType(&value, &flags));
  EXPECT_EQ(kCoppOk, CoppSetHdcpLevel(1));
  CoppCloseSession();
  peer->Release();
  SimDriverCensus census = {};
  ReadDriverCensus(&census);
  EXPECT_TRUE(census.lastReleased.sessionEstablished);
  EXPECT_EQ(1u, census.lastReleased.statusRequests);
  EXPECT_EQ(1u, census.lastReleased.commandsAccepted);
}

}  // namespace
