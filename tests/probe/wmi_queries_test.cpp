#include "probe/wmi_queries.h"

#include <gtest/gtest.h>

#include <string>

#include "probe/display_device.h"
#include "probe/wmi_session.h"
#include "tests/probe/scoped_test_objects.h"
#include "tests/support/com_apartment.h"

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool AllDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

class WmiQueriesTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(apartment_.Result())); }
  ScopedComApartment apartment_;
};

TEST_F(WmiQueriesTest, OsNameIsTheCaptionAndTheServicePackOfThisSystem) {
  std::string osName = "stale";
  WmiGetOsName(&osName);
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof(version);
  ASSERT_TRUE(GetVersionExA(&version));
  EXPECT_EQ(osName.rfind("Microsoft Windows ", 0), 0u) << osName;
  // Whatever the service pack, it stands after exactly one separating blank.
  EXPECT_TRUE(EndsWith(osName, std::string(" ") + version.szCSDVersion)) << osName;
  EXPECT_GT(osName.size(), std::string("Microsoft Windows  ").size() + strlen(version.szCSDVersion));
}

TEST_F(WmiQueriesTest, CpuNameEndsWithOneBlankAndTheClock) {
  std::string cpuName;
  WmiGetCpuName(&cpuName);
  ASSERT_FALSE(cpuName.empty());
  EXPECT_NE(cpuName.front(), ' ');
  const size_t blank = cpuName.rfind(' ', cpuName.size() - 5);
  ASSERT_NE(blank, std::string::npos);
  const std::string clock = cpuName.substr(blank + 1);
  EXPECT_TRUE(EndsWith(clock, " MHz") || EndsWith(clock, " GHz")) << clock;
}

TEST_F(WmiQueriesTest, MemoryTextsCarryThisMachinesFigures) {
  std::string total;
  WmiGetTotalPhysicalMemory(&total);
  double installed = -1.0;
  WmiGetInstalledMemory(&installed);
  ASSERT_TRUE(EndsWith(total, " Byte")) << total;
  const std::string digits = total.substr(0, total.size() - 5);
  EXPECT_TRUE(AllDigits(digits)) << total;
  EXPECT_GT(std::stoull(digits), 0ull);
  EXPECT_GT(installed, 0.0);
}

TEST_F(WmiQueriesTest, ControllerOfTheDisplayDeviceIsFoundAndNamed) {
  TestWindow window(100, 100, 200, 150);
  DISPLAY_DEVICEA device{};
  ASSERT_TRUE(FindWindowDisplayDevice(window.get(), &device));
  const std::string deviceId = device.DeviceID;
  int position = -1;
  WmiFindVideoController(deviceId, &position);
  std::string name;
  WmiGetVideoControllerName(position, &name);
  EXPECT_FALSE(name.empty());

  // The prefix has one display adapter, so its row is the first.
  EXPECT_EQ(position, 0);

  std::string lowered = deviceId;
  for (char& c : lowered) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  int again = -1;
  WmiFindVideoController(lowered, &again);
  EXPECT_EQ(again, position);
}

// Positions outside the controllers give an empty name, after a find as after a fresh query.
TEST_F(WmiQueriesTest, NameReadAfterAFindGivesWhatAFreshQueryGives) {
  WmiQuery rows;
  ASSERT_TRUE(rows.Run(L"SELECT Name FROM Win32_VideoController"));
  int count = 0;
  while (rows.NextRow()) ++count;
  ASSERT_GT(count, 0);
  for (int position : {-1, 0, count - 1, count}) {
    SCOPED_TRACE(position);
    int found = -1;
    WmiFindVideoController("PCI\\VEN_FFFF&DEV_FFFF", &found);
    EXPECT_EQ(found, 0) << "no row matches";
    std::string fromFind = "stale";
    WmiGetVideoControllerName(position, &fromFind);
    std::string asked = "stale";
    WmiGetVideoControllerName(position, &asked);
    EXPECT_EQ(fromFind, asked);
    EXPECT_EQ(asked.empty(), position < 0 || position >= count);
  }
}

}  // namespace
