#include "copp/renderer_graph.h"

#include <gtest/gtest.h>
#include <wrl/client.h>

#include "copp/renderer_graph_rot.h"
#include "copp/renderer_graph_state.h"
#include "tests/copp/graph_error_recorder.h"
#include "tests/graph_support/ball_source_dll.h"
#include "tests/graph_support/test_windows.h"

using Microsoft::WRL::ComPtr;

namespace {

class RendererGraphTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(com_.Result()));
    ASSERT_NE(nullptr, windows_.Video());
  }
  void TearDown() override { CloseRendererGraph(); }

  static void ExpectAllClosed() {
    const RendererGraphState& g = RendererGraph();
    EXPECT_EQ(nullptr, g.g_pGB.Get());
    EXPECT_EQ(nullptr, g.g_pMC.Get());
    EXPECT_EQ(nullptr, g.g_pVmr.Get());
    EXPECT_EQ(nullptr, g.g_pWC.Get());
    EXPECT_EQ(0u, g.g_dwRegister);
    EXPECT_EQ(nullptr, g.g_hwndOwner);
    EXPECT_EQ(nullptr, g.g_hwndVideo);
    EXPECT_EQ(nullptr, GetRendererFilter());
  }

  static bool IsInRot(const void* graph) {
    wchar_t name[kRotNameChars];
    FormatRotName(graph, GetCurrentProcessId(), name);
    ComPtr<IRunningObjectTable> table;
    ComPtr<IMoniker> moniker;
    if (FAILED(GetRunningObjectTable(0, &table)) || FAILED(CreateItemMoniker(L"!", name, &moniker))) {
      return false;
    }
    return table->IsRunning(moniker.Get()) == S_OK;
  }

  ScopedComApartment com_;
  TestWindows windows_;
  GraphErrorRecorder boxes_;
};

TEST_F(RendererGraphTest, CloseWithNothingOpenLeavesEverythingNull) {
  CloseRendererGraph();
  CloseRendererGraph();
  ExpectAllClosed();
  EXPECT_TRUE(GraphErrorRecorder::Boxes().empty());
}

TEST_F(RendererGraphTest, OpensConnectsAndRunsWithTheRegisteredSource) {
  OpenRendererGraph(windows_.Owner(), windows_.Video());
  ASSERT_TRUE(GraphErrorRecorder::Boxes().empty()) << GraphErrorRecorder::Boxes()[0].text;

  const RendererGraphState& g = RendererGraph();
  EXPECT_EQ(windows_.Owner(), g.g_hwndOwner);
  EXPECT_EQ(windows_.Video(), g.g_hwndVideo);
  ASSERT_NE(nullptr, GetRendererFilter());
  EXPECT_EQ(g.g_pVmr.Get(), GetRendererFilter());
  EXPECT_NE(nullptr, g.g_pWC.Get());
  EXPECT_NE(0u, g.g_dwRegister);

  ComPtr<IBaseFilter> ball;
  ASSERT_EQ(S_OK, g.g_pGB->FindFilterByName(L"Bouncing Ball", &ball));
  ComPtr<IPin> ballOut;
  ASSERT_EQ(S_OK, ball->FindPin(L"Ball", &ballOut));
  ComPtr<IPin> peer;
  ASSERT_EQ(S_OK, ballOut->ConnectedTo(&peer));
  PIN_INFO peerInfo{};
  ASSERT_EQ(S_OK, peer->QueryPinInfo(&peerInfo));
  EXPECT_EQ(GetRendererFilter(), peerInfo.pFilter);
  if (peerInfo.pFilter) peerInfo.pFilter->Release();

  OAFilterState state = State_Stopped;
  const bool running =
      PumpUntil([&] { return SUCCEEDED(g.g_pMC->GetState(0, &state)) && state == State_Running; }, 5000);
  EXPECT_TRUE(running) << "state " << state;
  EXPECT_TRUE(IsInRot(g.g_pGB.Get()));

  // Both pins are taken now: the lookup succeeds and finds nothing.
  for (IBaseFilter* filter : {ball.Get(), GetRendererFilter()}) {
    for (PIN_DIRECTION direction : {PINDIR_INPUT, PINDIR_OUTPUT}) {
      IPin* pin = reinterpret_cast<IPin*>(1);
      EXPECT_EQ(S_OK, GetUnconnectPin(filter, direction, &pin));
      EXPECT_EQ(nullptr, pin);
    }
  }

  const void* graph = g.g_pGB.Get();
  CloseRendererGraph();
  ExpectAllClosed();
  EXPECT_FALSE(IsInRot(graph));
  EXPECT_TRUE(GraphErrorRecorder::Boxes().empty());
}

TEST_F(RendererGraphTest, ReopeningAfterCloseBuildsAFreshGraph) {
  for (int run = 0; run < 3; ++run) {
    SCOPED_TRACE(run);
    OpenRendererGraph(windows_.Owner(), windows_.Video());
    EXPECT_NE(nullptr, GetRendererFilter());
    PumpFor(100);
    CloseRendererGraph();
    ExpectAllClosed();
  }
  EXPECT_TRUE(GraphErrorRecorder::Boxes().empty());
}

TEST_F(RendererGraphTest, WithoutTheSourceTheBuildEndsAtAddFilter) {
  BallSourceDll dll;
  ASSERT_TRUE(dll.Loaded());
  ScopedBallSourceUnregistered unregistered(dll);
  ASSERT_EQ(S_OK, unregistered.Result());

  OpenRendererGraph(windows_.Owner(), windows_.Video());

  ASSERT_EQ(1u, GraphErrorRecorder::Boxes().size());
  EXPECT_EQ("FAILED(hr=0x80004003) in g_pGB->AddFilter(Ball, L\"Bouncing Ball\")\n",
            GraphErrorRecorder::Boxes()[0].text);
  EXPECT_EQ("Windowless Sample", GraphErrorRecorder::Boxes()[0].caption);
  ExpectAllClosed();
}

}  // namespace
