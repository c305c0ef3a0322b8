#include "ui/environment_gathering.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "trace/judge_log.h"

namespace {

// What the made-up probes and reads answer.
struct Answers {
  const char* deviceId;
  int registryMegabytes;
  int directDrawMegabytes;
  bool wow64;
  double installedBytes;
  const char* totalPhysical;
  int controllerPosition;
};
Answers g_answers;

// What they were asked.
struct Asked {
  std::vector<HWND> windows;
  std::string pnpDeviceId;
  int totalPhysicalReads = 0;
  int namedPosition = -1;
};
Asked g_asked;
std::vector<std::string> g_trace;

bool FindDevice(HWND window, DISPLAY_DEVICEA* device) {
  g_asked.windows.push_back(window);
  std::strcpy(device->DeviceID, g_answers.deviceId);
  return true;
}
bool RegistryMemory(const DISPLAY_DEVICEA&, int* megabytes) {
  *megabytes = g_answers.registryMegabytes;
  return *megabytes != 0;
}
int DirectDrawMemory(HWND window, int* megabytes) {
  g_asked.windows.push_back(window);
  *megabytes = g_answers.directDrawMegabytes;
  return 0;
}
bool Wow64() { return g_answers.wow64; }

void OsName(std::string* name) { *name = "Microsoft Windows 7 Professional"; }
void CpuName(std::string* name) { *name = "Intel(R) Core(TM)2 Duo CPU"; }
void InstalledMemory(double* bytes) { *bytes = g_answers.installedBytes; }
void TotalPhysicalMemory(std::string* text) {
  ++g_asked.totalPhysicalReads;
  *text = g_answers.totalPhysical;
}
void FindController(const std::string& pnpDeviceId, int* position) {
  g_asked.pnpDeviceId = pnpDeviceId;
  *position = g_answers.controllerPosition;
}
void ControllerName(int position, std::string* name) {
  g_asked.namedPosition = position;
  *name = "controller " + std::to_string(position);
}

void Record(const char* message) { g_trace.push_back(message); }

const EnvironmentProbes kProbes = {FindDevice, RegistryMemory, DirectDrawMemory, Wow64};
const EnvironmentReads kReads = {OsName, CpuName, InstalledMemory, TotalPhysicalMemory, FindController, ControllerName};

TEST(EnvironmentGathering, FillsTheFactsFromTheProbesAndLogsThemInOrder) {
  const struct {
    const char* name;
    Answers answers;
    uint32_t vendorId, deviceId;
    const char* vramText;
    const char* memoryText;
    int memoryClass, memoryShort, totalPhysicalReads;
    std::vector<std::string> trace;
  } rows[] = {
      {"the registry's figure before DirectDraw's; memory from the installed bytes",
       {"PCI\\VEN_10DE&DEV_0622&SUBSYS_00000000&REV_A1", 512, 256, false, 4294967296.0, "1 Byte", 2},
       0x10DE, 0x0622, "512 MB", "4096 MB", 0, 0, 0,
       {"VendorId = 000010de DeviceId = 00000622", "vmb  = 512", "vmb2 = 256"}},
      {"only DirectDraw knows; 3 GB is the minimum under WOW64",
       {"PCI\\VEN_1002&DEV_9440", 0, 1024, true, 3221225472.0, "1 Byte", 1},
       0x1002, 0x9440, "1024 MB", "3072 MB", 1, 0, 0,
       {"VendorId = 00001002 DeviceId = 00009440", "vmb  = 0", "vmb2 = 1024"}},
      {"neither knows; memory from the total physical text",
       {"", 0, 0, false, 0.0, "1073741824", 0},
       0, 0, "", "1024 MB", 2, 1, 1,
       {"VendorId = 00000000 DeviceId = 00000000", "vmb  = 0", "vmb2 = 0"}},
  };
  const HWND videoWindow = reinterpret_cast<HWND>(0x2468);
  const JudgeTraceSink previous = SetJudgeTraceSink(Record);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    g_answers = row.answers;
    g_asked = Asked();
    g_trace.clear();
    EnvironmentInfo info;
    info.checkTime = "2010/04/01 09:30";
    info.judge.ngHdcp = 1;
    GatherCheckEnvironment(videoWindow, kProbes, kReads, &info);
    EXPECT_EQ(row.vendorId, info.vendorId);
    EXPECT_EQ(row.deviceId, info.deviceId);
    EXPECT_EQ(row.vramText, info.vramText);
    EXPECT_EQ("Microsoft Windows 7 Professional", info.osName);
    EXPECT_EQ("Intel(R) Core(TM)2 Duo CPU", info.cpuName);
    EXPECT_EQ(row.memoryText, info.memoryText);
    EXPECT_EQ(row.memoryClass, info.memoryClass);
    EXPECT_EQ(row.memoryShort, info.memoryShort);
    EXPECT_EQ(row.totalPhysicalReads, g_asked.totalPhysicalReads);
    // The name is the one at the position the device's own id was found at.
    EXPECT_EQ(row.answers.deviceId, g_asked.pnpDeviceId);
    EXPECT_EQ(row.answers.controllerPosition, g_asked.namedPosition);
    EXPECT_EQ("controller " + std::to_string(row.answers.controllerPosition), info.graphicsName);
    EXPECT_EQ((std::vector<HWND>{videoWindow, videoWindow}), g_asked.windows);
    EXPECT_EQ(row.trace, g_trace);
    EXPECT_EQ("2010/04/01 09:30", info.checkTime);
    EXPECT_EQ(1, info.judge.ngHdcp);
  }
  SetJudgeTraceSink(previous);
}

}  // namespace
