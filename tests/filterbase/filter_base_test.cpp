#include "filterbase/filter_base.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/filterbase/counting_objects.h"

namespace {

constexpr CLSID kTestClsid = {0x1d7c3e21, 0x55aa, 0x4b0f, {0x9a, 0x10, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77}};

// Only what FilterBase leaves to its subclasses, and on the stack.
class StackFilter final : public FilterBase {
 public:
  StackFilter() : FilterBase(kTestClsid) {}
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
    if (ppv) *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP Stop() override { return S_OK; }
  STDMETHODIMP Pause() override { return S_OK; }
  STDMETHODIMP Run(REFERENCE_TIME) override { return S_OK; }
  STDMETHODIMP EnumPins(IEnumPins**) override { return E_NOTIMPL; }
  STDMETHODIMP FindPin(LPCWSTR, IPin**) override { return E_NOTIMPL; }
};


TEST(FilterBase, ReportsItsClassAndStartsStopped) {
  StackFilter filter;
  CLSID clsid = {};
  ASSERT_EQ(S_OK, filter.GetClassID(&clsid));
  EXPECT_EQ(kTestClsid, clsid);
  FILTER_STATE state = State_Running;
  ASSERT_EQ(S_OK, filter.GetState(0, &state));
  EXPECT_EQ(State_Stopped, state);
  EXPECT_EQ(E_POINTER, filter.GetClassID(nullptr));
  EXPECT_EQ(E_POINTER, filter.GetState(0, nullptr));
  EXPECT_EQ(E_NOTIMPL, filter.QueryVendorInfo(nullptr));
}

TEST(FilterBase, FilterInfoGivesTheJoinedNameAndAReferenceOnTheGraph) {
  const std::wstring longest(MAX_FILTER_NAME - 1, L'n');
  const std::wstring tooLong = longest + L"xyz";
  struct Row {
    const char* name;
    const wchar_t* joinedAs;
    std::wstring reported;
  };
  const Row rows[] = {
      {"Named", L"Ball", L"Ball"},
      {"Unnamed", nullptr, L""},
      {"Longest", longest.c_str(), longest},
      {"TooLongIsCut", tooLong.c_str(), longest},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    StackFilter filter;
    CountingUnknown graph;
    auto* asGraph = reinterpret_cast<IFilterGraph*>(&graph);
    ASSERT_EQ(S_OK, filter.JoinFilterGraph(asGraph, row.joinedAs));
    FILTER_INFO info = {};
    ASSERT_EQ(S_OK, filter.QueryFilterInfo(&info));
    EXPECT_EQ(row.reported, info.achName);
    EXPECT_EQ(asGraph, info.pGraph);
    EXPECT_EQ(2u, graph.refs);
    info.pGraph->Release();

    ASSERT_EQ(S_OK, filter.JoinFilterGraph(nullptr, nullptr));
    ASSERT_EQ(S_OK, filter.QueryFilterInfo(&info));
    EXPECT_EQ(nullptr, info.pGraph);
    EXPECT_EQ(std::wstring(), info.achName);
  }
}

TEST(FilterBase, HoldsTheClockUntilReplaced) {
  CountingUnknown clock;
  auto* asClock = reinterpret_cast<IReferenceClock*>(&clock);
  {
    StackFilter filter;
    ASSERT_EQ(S_OK, filter.SetSyncSource(asClock));
    EXPECT_EQ(2u, clock.refs);
    IReferenceClock* got = nullptr;
    ASSERT_EQ(S_OK, filter.GetSyncSource(&got));
    EXPECT_EQ(asClock, got);
    EXPECT_EQ(3u, clock.refs);
    got->Release();
    ASSERT_EQ(S_OK, filter.SetSyncSource(nullptr));
    EXPECT_EQ(1u, clock.refs);
    ASSERT_EQ(S_OK, filter.GetSyncSource(&got));
    EXPECT_EQ(nullptr, got);
    ASSERT_EQ(S_OK, filter.SetSyncSource(asClock));
  }
  EXPECT_EQ(1u, clock.refs);
}

}  // namespace
