#include "probe/display_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/probe/scoped_test_objects.h"

namespace {

DISPLAY_DEVICEA DeviceWithId(const std::string& id) {
  DISPLAY_DEVICEA device{};
  device.cb = sizeof(device);
  std::memcpy(device.DeviceID, id.data(), std::min(id.size(), sizeof(device.DeviceID)));
  return device;
}

struct PciCase {
  const char* name;
  DISPLAY_DEVICEA device;
  bool result;
  uint32_t vendorId;
  uint32_t deviceId;
};

TEST(DisplayDeviceTest, PciIdsComeFromTheFourCharactersAfterEachTag) {
  // 122 characters of filler and "VEN_10" fill the whole array, unterminated;
  // the "AB" right after it in the record must not be read as more digits.
  DISPLAY_DEVICEA unterminated = DeviceWithId(std::string(122, 'X') + "VEN_10");
  std::memcpy(unterminated.DeviceKey, "ABCD", 5);
  const std::vector<PciCase> cases = {
      {"Upper", DeviceWithId("PCI\\VEN_10DE&DEV_0622&SUBSYS_C7581462&REV_A2"), true, 0x10DE, 0x0622},
      {"LowerHex", DeviceWithId("PCI\\VEN_10de&DEV_06ab&SUBSYS_00000000"), true, 0x10DE, 0x06AB},
      {"MixedHex", DeviceWithId("PCI\\VEN_1002&DEV_95c5"), true, 0x1002, 0x95C5},
      {"FewerDigits", DeviceWithId("PCI\\VEN_1G00&DEV_06"), true, 0x1, 0x06},
      {"NoDigits", DeviceWithId("PCI\\VEN_&DEV_"), true, 0, 0},
      {"NoTags", DeviceWithId("ROOT\\BASICDISPLAY\\0000"), true, 0, 0},
      {"NoDeviceTag", DeviceWithId("PCI\\VEN_8086"), true, 0x8086, 0},
      {"NoVendorTag", DeviceWithId("PCI\\DEV_2E12&SUBSYS_1"), true, 0, 0x2E12},
      {"TagsAreCaseSensitive", DeviceWithId("pci\\ven_10de&dev_0622"), true, 0, 0},
      {"Empty", DeviceWithId(""), false, 0, 0},
      {"UnterminatedId", unterminated, true, 0x10, 0},
  };
  for (const auto& c : cases) {
    uint32_t vendorId = 0xDEADBEEF;
    uint32_t deviceId = 0xDEADBEEF;
    EXPECT_EQ(ParsePciIds(c.device, &vendorId, &deviceId), c.result) << c.name;
    EXPECT_EQ(vendorId, c.vendorId) << c.name;
    EXPECT_EQ(deviceId, c.deviceId) << c.name;
  }
}

TEST(DisplayDeviceTest, RegistryPathStartsAtSystem) {
  EXPECT_EQ(RegistryPathFromDeviceKey(
                "\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\{23A77BF7-ED96}\\0000"),
            "System\\CurrentControlSet\\Control\\Video\\{23A77BF7-ED96}\\0000");
  EXPECT_EQ(RegistryPathFromDeviceKey("\\REGISTRY\\MACHINE\\SYSTEM\\Video"), "\\REGISTRY\\MACHINE\\SYSTEM\\Video");
  EXPECT_EQ(RegistryPathFromDeviceKey(""), "");
}

TEST(DisplayDeviceTest, VideoMemoryIsCutToWholeSixteenMegabytes) {
  const uint32_t mb = 1024 * 1024;
  struct Case {
    uint32_t bytes;
    int megabytes;
  };
  const std::vector<Case> cases = {
      {256 * mb, 256}, {255 * mb, 240}, {3584u * mb, 3584}, {16 * mb, 16},
      {16 * mb - 1, 0}, {15 * mb, 0},   {0, 0},             {0xFFFFFFFFu, 4080},
  };
  for (const auto& c : cases) EXPECT_EQ(VideoMemoryMegabytes(c.bytes), c.megabytes) << c.bytes;
}

std::string MonitorNameOf(HWND window) {
  MONITORINFOEXA info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONULL), &info);
  return info.szDevice;
}

TEST(DisplayDeviceTest, WindowOnTheScreenFindsItsAttachedDisplayDevice) {
  TestWindow window(100, 100, 300, 200);
  ASSERT_TRUE(window.get());
  DISPLAY_DEVICEA device{};
  ASSERT_TRUE(FindWindowDisplayDevice(window.get(), &device));
  EXPECT_EQ(device.cb, sizeof(device));
  EXPECT_EQ(std::string(device.DeviceName), MonitorNameOf(window.get()));
  EXPECT_NE(device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP, 0u);
  uint32_t vendorId = 0;
  uint32_t deviceId = 0;
  EXPECT_TRUE(ParsePciIds(device, &vendorId, &deviceId)) << device.DeviceID;
}

TEST(DisplayDeviceTest, WindowOffEveryMonitorFindsNothingAndLeavesTheRecord) {
  TestWindow window(-5000, -5000, 300, 200);
  ASSERT_TRUE(window.get());
  DISPLAY_DEVICEA device;
  std::memset(&device, 0xAB, sizeof(device));
  const DISPLAY_DEVICEA before = device;
  EXPECT_FALSE(FindWindowDisplayDevice(window.get(), &device));
  EXPECT_EQ(std::memcmp(&device, &before, sizeof(device)), 0);
}

TEST(DisplayDeviceTest, CollectMonitorNameStopsAtANullMonitorAndCopiesANamedOne) {
  char name[CCHDEVICENAME] = "untouched";
  EXPECT_FALSE(CollectMonitorName(nullptr, nullptr, nullptr, reinterpret_cast<LPARAM>(name)));
  EXPECT_STREQ(name, "untouched");

  const POINT origin{0, 0};
  HMONITOR primary = MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFOEXA info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetMonitorInfoA(primary, &info));
  EXPECT_TRUE(CollectMonitorName(primary, nullptr, nullptr, reinterpret_cast<LPARAM>(name)));
  EXPECT_STREQ(name, info.szDevice);
}

}  // namespace
