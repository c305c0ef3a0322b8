#include "probe/directdraw_probe.h"

#include <ddraw.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "notice/user_notice.h"
#include "tests/probe/scoped_test_objects.h"

namespace {

struct BoxCall {
  HWND owner;
  std::string text;
  std::string caption;
  UINT style;
};

std::vector<BoxCall> g_boxes;

void RecordBox(const UserNotice& notice) {
  // A null caption is the program's title, which the program's notifier puts in.
  g_boxes.push_back({notice.owner, notice.text, notice.caption ? notice.caption : "(title)", notice.style});
}

HRESULT WINAPI RefuseCreation(GUID*, void** object, REFIID, IUnknown*) {
  *object = nullptr;
  return DDERR_NODIRECTDRAWHW;
}

HRESULT WINAPI SucceedWithoutObject(GUID*, void** object, REFIID, IUnknown*) {
  *object = nullptr;
  return S_OK;
}

// Records the error box instead of showing it, for the length of a test.
class DirectDrawProbeTest : public testing::Test {
 protected:
  void SetUp() override {
    g_boxes.clear();
    previousBox_ = SetUserNotifier(RecordBox);
  }
  void TearDown() override {
    SetUserNotifier(previousBox_);
    SetDirectDrawCreator(nullptr);
  }
  UserNotifier previousBox_ = nullptr;
};

TEST_F(DirectDrawProbeTest, PrimaryDeviceIdsAreReadWithoutABox) {
  TestWindow owner(100, 100, 300, 200);
  // The figures themselves come from the host's graphics stack (0 without
  // 32-bit GL); what the probe owes is that both are written on success.
  const uint32_t kUnwritten = 0xA5A5A5A5u;
  uint32_t vendorId = kUnwritten;
  uint32_t deviceId = kUnwritten;
  const bool read = GetDirectDrawDeviceIds(owner.get(), &vendorId, &deviceId);
  EXPECT_TRUE(read);
  EXPECT_TRUE(g_boxes.empty());
  EXPECT_NE(vendorId, kUnwritten);
  EXPECT_NE(deviceId, kUnwritten);
}

TEST_F(DirectDrawProbeTest, CreationFailureSaysSoUnderTheTitleAndLeavesTheIds) {
  TestWindow owner(100, 100, 300, 200);
  const DirectDrawCreator failures[] = {RefuseCreation, SucceedWithoutObject};
  for (DirectDrawCreator creator : failures) {
    g_boxes.clear();
    SetDirectDrawCreator(creator);
    uint32_t vendorId = 0x11111111;
    uint32_t deviceId = 0x22222222;
    EXPECT_FALSE(GetDirectDrawDeviceIds(owner.get(), &vendorId, &deviceId));
    EXPECT_EQ(vendorId, 0x11111111u);
    EXPECT_EQ(deviceId, 0x22222222u);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].owner, owner.get());
    // What could not be read, and that the check goes on, as it does.
    EXPECT_EQ(g_boxes[0].text,
              "DirectDrawを利用できないため、グラフィックカードの識別情報を読み取れませんでした。\n"
              "判定はこのまま続けます。");
    EXPECT_EQ(g_boxes[0].caption, "(title)");
    EXPECT_EQ(g_boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONWARNING));
  }
}

TEST_F(DirectDrawProbeTest, MonitorVideoMemoryOfAWindowOnAndOffTheScreen) {
  TestWindow onScreen(100, 100, 300, 200);
  int megabytes = -1;
  EXPECT_EQ(GetMonitorVideoMemory(onScreen.get(), &megabytes), 0);
  EXPECT_GT(megabytes, 0);

  // Off every monitor the window counts as being on the primary one.
  TestWindow offScreen(-5000, -5000, 300, 200);
  int offMegabytes = -1;
  EXPECT_EQ(GetMonitorVideoMemory(offScreen.get(), &offMegabytes), 0);
  EXPECT_EQ(offMegabytes, megabytes);
}

TEST_F(DirectDrawProbeTest, LocalVideoMemoryOfThePrimaryMonitor) {
  HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  DWORD bytes = 0;
  const HRESULT hr = QueryMonitorLocalVideoMemory(primary, &bytes);
  EXPECT_EQ(hr, S_OK);
  EXPECT_GT(bytes, 0u);
}

TEST(MatchMonitorDeviceTest, RecordsTheLastDeviceThatReportsTheMonitor) {
  const HMONITOR wanted = reinterpret_cast<HMONITOR>(static_cast<uintptr_t>(0x10001));
  const HMONITOR other = reinterpret_cast<HMONITOR>(static_cast<uintptr_t>(0x10002));
  GUID first = {0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};
  GUID second = {0x44444444, 0x5555, 0x6666, {8, 7, 6, 5, 4, 3, 2, 1}};
  char primaryName[] = "display";
  char firstName[] = "\\\\.\\DISPLAY1";
  char secondName[] = "\\\\.\\DISPLAY2";

  DirectDrawMonitorMatch match{};
  match.monitor = wanted;
  // The primary display driver: null GUID, null monitor.
  EXPECT_TRUE(MatchMonitorDevice(nullptr, primaryName, primaryName, &match, nullptr));
  EXPECT_EQ(match.found, 0);
  EXPECT_TRUE(MatchMonitorDevice(&first, firstName, firstName, &match, other));
  EXPECT_EQ(match.found, 0);
  EXPECT_EQ(std::memcmp(&match.deviceGuid, &GUID_NULL, sizeof(GUID)), 0);

  EXPECT_TRUE(MatchMonitorDevice(&first, firstName, firstName, &match, wanted));
  EXPECT_EQ(match.found, 1);
  EXPECT_STREQ(match.driverName, firstName);
  EXPECT_TRUE(IsEqualGUID(match.deviceGuid, first));

  EXPECT_TRUE(MatchMonitorDevice(&second, secondName, secondName, &match, wanted));
  EXPECT_STREQ(match.driverName, secondName);
  EXPECT_TRUE(IsEqualGUID(match.deviceGuid, second));
  EXPECT_EQ(match.monitor, wanted);
}

TEST(MatchMonitorDeviceTest, DriverNameIsBoundedToItsField) {
  const HMONITOR wanted = reinterpret_cast<HMONITOR>(static_cast<uintptr_t>(0x10001));
  std::string longName(700, 'N');
  DirectDrawMonitorMatch match{};
  match.monitor = wanted;
  EXPECT_TRUE(MatchMonitorDevice(nullptr, nullptr, &longName[0], &match, wanted));
  EXPECT_EQ(std::string(match.driverName), std::string(511, 'N'));
  EXPECT_EQ(match.found, 1);

  EXPECT_TRUE(MatchMonitorDevice(nullptr, nullptr, nullptr, &match, wanted));
  EXPECT_STREQ(match.driverName, "");
}

TEST(MatchMonitorDeviceTest, WineEnumerationReportsTheDeviceOfThePrimaryMonitor) {
  DirectDrawMonitorMatch match{};
  match.monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  ASSERT_EQ(DirectDrawEnumerateExA(MatchMonitorDevice, &match, DDENUM_ATTACHEDSECONDARYDEVICES), DD_OK);
  EXPECT_EQ(match.found, 1);
  EXPECT_NE(match.driverName[0], '\0');
}

}  // namespace
