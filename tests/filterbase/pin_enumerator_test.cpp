#include "filterbase/pin_enumerator.h"

#include <gtest/gtest.h>
#include <wrl/client.h>

#include "tests/filterbase/counting_objects.h"

namespace {

using Microsoft::WRL::ComPtr;

LONG g_live = 0;
const ModuleHooks kCountingHooks = {[] { ++g_live; }, [] { --g_live; }};

class SinglePinEnumTest : public ::testing::Test {
 protected:
  ComPtr<IEnumPins> Make(ULONG position) {
    ComPtr<IEnumPins> pins;
    EXPECT_EQ(S_OK, CreateSinglePinEnum(&pin_, position, kCountingHooks, &pins));
    return pins;
  }
  // Whether Next(1) still hands out the pin; gives back what it took.
  bool StillYieldsPin(IEnumPins* pins) {
    IPin* got = nullptr;
    ULONG fetched = 0;
    if (pins->Next(1, &got, &fetched) != S_OK) return false;
    got->Release();
    return fetched == 1 && got == &pin_;
  }
  CountingPin pin_;
};

TEST_F(SinglePinEnumTest, NextHandsOutTheOnePinOnce) {
  struct Row {
    const char* name;
    ULONG position;
    ULONG count;
    bool wantFetched;
    HRESULT hr;
    ULONG fetched;
  };
  const Row rows[] = {
      {"OneFromStart", 0, 1, true, S_OK, 1},       {"OneWithoutFetched", 0, 1, false, S_OK, 1},
      {"TwoFromStart", 0, 2, true, S_FALSE, 1},    {"NoneAsked", 0, 0, true, S_OK, 0},
      {"OnePastEnd", 1, 1, true, S_FALSE, 0},      {"TwoWithoutFetched", 0, 2, false, E_INVALIDARG, 0},
      {"PositionClampedToEnd", 5, 1, true, S_FALSE, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ComPtr<IEnumPins> pins = Make(row.position);
    IPin* got[2] = {};
    ULONG fetched = 99;
    EXPECT_EQ(row.hr, pins->Next(row.count, got, row.wantFetched ? &fetched : nullptr));
    if (row.wantFetched) {
      EXPECT_EQ(row.fetched, fetched);
    }
    EXPECT_EQ(row.fetched == 1 ? &pin_ : nullptr, got[0]);
    if (got[0]) got[0]->Release();
  }
  EXPECT_EQ(1u, pin_.refs);
}

TEST_F(SinglePinEnumTest, NextWithoutArrayIsRefused) {
  EXPECT_EQ(E_POINTER, Make(0)->Next(1, nullptr, nullptr));
}

// A count near ULONG_MAX once wrapped the cursor back before the pin.
TEST_F(SinglePinEnumTest, SkipStopsAtTheEnd) {
  struct Row {
    const char* name;
    ULONG position;
    ULONG count;
    HRESULT hr;
    bool pinLeft;
  };
  const Row rows[] = {
      {"NothingFromStart", 0, 0, S_OK, true},     {"PinFromStart", 0, 1, S_OK, false},
      {"PastPinFromStart", 0, 2, S_FALSE, false}, {"NothingAtEnd", 1, 0, S_OK, false},
      {"OneAtEnd", 1, 1, S_FALSE, false},         {"HugeAtEnd", 1, 0xFFFFFFFFu, S_FALSE, false},
      {"HugeFromStart", 0, 0xFFFFFFFFu, S_FALSE, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ComPtr<IEnumPins> pins = Make(row.position);
    EXPECT_EQ(row.hr, pins->Skip(row.count));
    EXPECT_EQ(row.pinLeft, StillYieldsPin(pins.Get()));
  }
}

TEST_F(SinglePinEnumTest, ResetStartsOver) {
  ComPtr<IEnumPins> pins = Make(0);
  ASSERT_TRUE(StillYieldsPin(pins.Get()));
  EXPECT_FALSE(StillYieldsPin(pins.Get()));
  EXPECT_EQ(S_OK, pins->Reset());
  EXPECT_TRUE(StillYieldsPin(pins.Get()));
}

TEST_F(SinglePinEnumTest, CloneKeepsThePositionAndMovesAlone) {
  ComPtr<IEnumPins> fresh = Make(0);
  ComPtr<IEnumPins> freshClone;
  ASSERT_EQ(S_OK, fresh->Clone(&freshClone));
  EXPECT_TRUE(StillYieldsPin(freshClone.Get()));
  EXPECT_TRUE(StillYieldsPin(fresh.Get()));

  ComPtr<IEnumPins> spentClone;
  ASSERT_EQ(S_OK, fresh->Clone(&spentClone));
  EXPECT_FALSE(StillYieldsPin(spentClone.Get()));
}

TEST_F(SinglePinEnumTest, EachEnumeratorHoldsThePinAndTheModule) {
  {
    ComPtr<IEnumPins> pins = Make(0);
    ComPtr<IEnumPins> clone;
    ASSERT_EQ(S_OK, pins->Clone(&clone));
    EXPECT_EQ(2, g_live);
    EXPECT_EQ(3u, pin_.refs);
    ComPtr<IUnknown> asUnknown;
    EXPECT_EQ(S_OK, pins.As(&asUnknown));
    ComPtr<IEnumMediaTypes> wrong;
    EXPECT_EQ(E_NOINTERFACE, pins.As(&wrong));
  }
  EXPECT_EQ(0, g_live);
  EXPECT_EQ(1u, pin_.refs);
}

}  // namespace
