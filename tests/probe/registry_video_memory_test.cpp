#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

#include "probe/display_device.h"
#include "tests/support/driver_memory_size.h"

namespace {

class RegistryVideoMemoryTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(value_.opened()) << value_.device().DeviceKey; }

  ScopedDriverMemorySize value_;
  const DISPLAY_DEVICEA& device_ = value_.device();
};

TEST_F(RegistryVideoMemoryTest, DriverValueOfThisSystem) {
  int megabytes = -1;
  const bool read = GetRegistryVideoMemory(device_, &megabytes);
  std::cout << "[wine] GetRegistryVideoMemory before writing: " << read << ", " << megabytes << " MB (value "
            << (value_.hadValue ? "present, type " + std::to_string(value_.savedType) + ", " +
                                      std::to_string(value_.saved.size()) + " bytes"
                                : std::string("absent"))
            << ")\n";
  EXPECT_EQ(read, value_.hadValue && value_.saved.size() <= 4);
}

TEST_F(RegistryVideoMemoryTest, ValuesOfEveryTypeAndSize) {
  struct Case {
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
    bool result;
    int megabytes;
  };
  const std::vector<Case> cases = {
      {"Dword256MB", REG_DWORD, {0x00, 0x00, 0x00, 0x10}, true, 256},
      {"Dword255MB", REG_DWORD, {0x00, 0x00, 0xF0, 0x0F}, true, 240},
      {"Binary3_5GB", REG_BINARY, {0x00, 0x00, 0x00, 0xE0}, true, 3584},
      {"BinaryUnder16MB", REG_BINARY, {0xFF, 0xFF, 0xFF, 0x00}, true, 0},
      {"EightBytes", REG_BINARY, {0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00}, false, 0},
      {"Qword", REG_QWORD, {0x00, 0x00, 0x00, 0x10, 0x01, 0x00, 0x00, 0x00}, false, 0},
      // The missing high bytes of a short value read as zero.
      {"TwoBytes", REG_BINARY, {0x00, 0x10}, true, 0},
      {"ThreeBytes", REG_BINARY, {0x00, 0x00, 0x10}, true, 0},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(value_.Write(c.type, c.data)) << c.name;
    int megabytes = -1;
    EXPECT_EQ(GetRegistryVideoMemory(device_, &megabytes), c.result) << c.name;
    EXPECT_EQ(megabytes, c.megabytes) << c.name;
  }
}

TEST_F(RegistryVideoMemoryTest, MissingValueOrKeyGivesFalse) {
  value_.Delete();
  int megabytes = -1;
  EXPECT_FALSE(GetRegistryVideoMemory(device_, &megabytes));
  EXPECT_EQ(megabytes, 0);

  DISPLAY_DEVICEA empty{};
  megabytes = -1;
  EXPECT_FALSE(GetRegistryVideoMemory(empty, &megabytes));
  EXPECT_EQ(megabytes, 0);

  DISPLAY_DEVICEA elsewhere{};
  lstrcpynA(elsewhere.DeviceKey, "\\Registry\\Machine\\System\\NoSuchKey\\0000", sizeof(elsewhere.DeviceKey));
  EXPECT_FALSE(GetRegistryVideoMemory(elsewhere, &megabytes));
}

}  // namespace
