#include "copp/renderer_graph.h"

#include <gtest/gtest.h>
#include <string>
#include <wrl/client.h>

#include "copp/renderer_graph_rot.h"
#include "copp/own_part_fault.h"
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

// Our own filter missing is our fault, not the PC's: no box from the
// graph (the program says it in its own words), the fault with its code
// for the caller, the graph closed. Unregistered, then registered to a DLL
// that is not there.
TEST_F(RendererGraphTest, WithoutTheSourceTheBuildStopsAndNamesOurPart) {
  BallSourceDll dll;
  ASSERT_TRUE(dll.Loaded());
  ScopedBallSourceUnregistered unregistered(dll);
  ASSERT_EQ(S_OK, unregistered.Result());
  const char kClass[] = "CLSID\\{289A8718-002D-4840-8D80-5E066F2DFE78}";
  // REGDB_E_CLASSNOTREG; for the missing DLL Windows says 0x8007007E, Wine
  // another failure, so only the failure is asked for there.
  for (const unsigned long expected : {0x80040154ul, 0ul}) {
    if (expected == 0) {
      ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CLASSES_ROOT, (std::string(kClass) + "\\InprocServer32").c_str(),
                                               nullptr, REG_SZ, "C:\\nowhere\\ball_source.dll", 28));
    }
    TakeOwnPartFault();
    OpenRendererGraph(windows_.Owner(), windows_.Video());
    const OwnPartFault fault = TakeOwnPartFault();
    EXPECT_EQ(OwnPart::kSourceFilter, fault.part);
    EXPECT_EQ(expected ? expected : fault.code, fault.code);
    EXPECT_TRUE(FAILED(static_cast<HRESULT>(fault.code))) << std::hex << fault.code;
    EXPECT_TRUE(GraphErrorRecorder::Boxes().empty());
    ExpectAllClosed();
  }
  RegDeleteTreeA(HKEY_CLASSES_ROOT, kClass);
}

}  // namespace
