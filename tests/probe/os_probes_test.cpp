#include "probe/os_probes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct OsCase {
  const char* name;
  DWORD platform;
  DWORD major;
  DWORD minor;
  BYTE productType;
  bool supported;
};

OSVERSIONINFOEXA Version(const OsCase& c) {
  OSVERSIONINFOEXA version{};
  version.dwOSVersionInfoSize = sizeof(version);
  version.dwPlatformId = c.platform;
  version.dwMajorVersion = c.major;
  version.dwMinorVersion = c.minor;
  version.wProductType = c.productType;
  return version;
}

TEST(OsProbesTest, OnlyVistaAndSevenClientEditionsPassTheGate) {
  const std::vector<OsCase> cases = {
      {"Vista", VER_PLATFORM_WIN32_NT, 6, 0, VER_NT_WORKSTATION, true},
      {"Seven", VER_PLATFORM_WIN32_NT, 6, 1, VER_NT_WORKSTATION, true},
      {"Xp", VER_PLATFORM_WIN32_NT, 5, 1, VER_NT_WORKSTATION, false},
      {"Xp64", VER_PLATFORM_WIN32_NT, 5, 2, VER_NT_WORKSTATION, false},
      {"Eight", VER_PLATFORM_WIN32_NT, 6, 2, VER_NT_WORKSTATION, false},
      {"EightPointOne", VER_PLATFORM_WIN32_NT, 6, 3, VER_NT_WORKSTATION, false},
      {"Ten", VER_PLATFORM_WIN32_NT, 10, 0, VER_NT_WORKSTATION, false},
      {"Server2008", VER_PLATFORM_WIN32_NT, 6, 0, VER_NT_SERVER, false},
      {"Server2008R2", VER_PLATFORM_WIN32_NT, 6, 1, VER_NT_SERVER, false},
      {"DomainController2008R2", VER_PLATFORM_WIN32_NT, 6, 1, VER_NT_DOMAIN_CONTROLLER, false},
      {"Windows9xPlatform", VER_PLATFORM_WIN32_WINDOWS, 6, 1, VER_NT_WORKSTATION, false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsSupportedOsVersion(Version(c)), c.supported) << c.name;
}

TEST(OsProbesTest, ServicePackBuildAndSuiteAreNotLookedAt) {
  OSVERSIONINFOEXA version = Version({"Seven", VER_PLATFORM_WIN32_NT, 6, 1, VER_NT_WORKSTATION, true});
  version.dwBuildNumber = 7601;
  version.wServicePackMajor = 1;
  version.wSuiteMask = VER_SUITE_PERSONAL | VER_SUITE_TERMINAL;
  lstrcpynA(version.szCSDVersion, "Service Pack 1", sizeof(version.szCSDVersion));
  EXPECT_TRUE(IsSupportedOsVersion(version));
}

// Each test build runs in a prefix of its own width, so no test process
// here is a WOW64 one; the 32-on-64 case has a test of its own.
TEST(OsProbesTest, NativeProcessIsNotWow64) { EXPECT_FALSE(IsRunningOnWow64()); }

}  // namespace
