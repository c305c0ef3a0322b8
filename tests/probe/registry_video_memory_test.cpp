#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

#include "probe/display_device.h"
#include "handles/owner.h"
#include "tests/probe/scoped_test_objects.h"

namespace {

const char kValueName[] = "HardwareInformation.MemorySize";

// Writes test values under the display device's own driver key and puts
// back whatever the driver had there before.
class RegistryVideoMemoryTest : public testing::Test {
 protected:
  void SetUp() override {
    TestWindow window(100, 100, 300, 200);
    ASSERT_TRUE(FindWindowDisplayDevice(window.get(), &device_));
    const std::string path = RegistryPathFromDeviceKey(device_.DeviceKey);
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_SET_VALUE, key_.put()),
              ERROR_SUCCESS)
        << path;
    DWORD size = 0;
    hadValue_ = RegQueryValueExA(key_.get(), kValueName, nullptr, &savedType_, nullptr, &size) == ERROR_SUCCESS;
    if (hadValue_) {
      saved_.resize(size);
      RegQueryValueExA(key_.get(), kValueName, nullptr, &savedType_, saved_.data(), &size);
    }
  }

  void TearDown() override {
    if (!key_.get()) return;
    if (hadValue_) {
      RegSetValueExA(key_.get(), kValueName, 0, savedType_, saved_.data(), static_cast<DWORD>(saved_.size()));
    } else {
      RegDeleteValueA(key_.get(), kValueName);
    }
  }

  void Write(DWORD type, const std::vector<BYTE>& data) {
    ASSERT_EQ(RegSetValueExA(key_.get(), kValueName, 0, type, data.data(), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
  }

  DISPLAY_DEVICEA device_{};
  OwnedRegKey key_;
  bool hadValue_ = false;
  DWORD savedType_ = 0;
  std::vector<BYTE> saved_;
};

TEST_F(RegistryVideoMemoryTest, DriverValueOfThisSystem) {
  int megabytes = -1;
  const bool read = GetRegistryVideoMemory(device_, &megabytes);
  std::cout << "[wine] GetRegistryVideoMemory before writing: " << read << ", " << megabytes << " MB (value "
            << (hadValue_ ? "present, type " + std::to_string(savedType_) + ", " + std::to_string(saved_.size()) +
                                " bytes"
                          : std::string("absent"))
            << ")\n";
  EXPECT_EQ(read, hadValue_ && saved_.size() <= 4);
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
    Write(c.type, c.data);
    int megabytes = -1;
    EXPECT_EQ(GetRegistryVideoMemory(device_, &megabytes), c.result) << c.name;
    EXPECT_EQ(megabytes, c.megabytes) << c.name;
  }
}

TEST_F(RegistryVideoMemoryTest, MissingValueOrKeyGivesFalse) {
  RegDeleteValueA(key_.get(), kValueName);
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
