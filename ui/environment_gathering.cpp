#include "ui/environment_gathering.h"

#include <cstring>
#include <string>

#include "probe/directdraw_probe.h"
#include "probe/display_device.h"
#include "probe/os_probes.h"
#include "trace/judge_log.h"
#include "ui/memory_figures.h"

namespace {

const EnvironmentProbes kPlatformProbes = {FindWindowDisplayDevice, GetRegistryVideoMemory, GetMonitorVideoMemory,
                                           IsRunningOnWow64};

// The detail dialog's video memory line: the driver's registry figure, or
// DirectDraw's when the registry has none; empty when neither knows.
std::string VideoMemoryText(int registryMegabytes, int directDrawMegabytes) {
  const int megabytes = registryMegabytes ? registryMegabytes : directDrawMegabytes;
  return megabytes > 0 ? FormatMemoryText(megabytes) : std::string();
}

}  // namespace

const EnvironmentProbes& PlatformEnvironmentProbes() { return kPlatformProbes; }

void GatherCheckEnvironment(HWND videoWindow, const EnvironmentProbes& probes, const EnvironmentReads& reads,
                            EnvironmentInfo* info) {
  DISPLAY_DEVICEA device = {};
  device.cb = sizeof(device);
  probes.findDisplayDevice(videoWindow, &device);
  ParsePciIds(device, &info->vendorId, &info->deviceId);
  const std::string deviceIdText(device.DeviceID, strnlen(device.DeviceID, sizeof(device.DeviceID)));
  JudgeTrace("VendorId = %08x DeviceId = %08x", info->vendorId, info->deviceId);

  int registryMegabytes = 0;
  int directDrawMegabytes = 0;
  probes.registryVideoMemory(device, &registryMegabytes);
  probes.directDrawVideoMemory(videoWindow, &directDrawMegabytes);
  JudgeTrace("vmb  = %d", registryMegabytes);
  JudgeTrace("vmb2 = %d", directDrawMegabytes);
  info->vramText = VideoMemoryText(registryMegabytes, directDrawMegabytes);

  int position = 0;
  reads.findVideoController(deviceIdText, &position);
  reads.osName(&info->osName);
  reads.cpuName(&info->cpuName);

  double installedBytes = 0.0;
  reads.installedMemory(&installedBytes);
  std::string totalPhysical;
  if (MegabytesFromInstalledBytes(installedBytes) == 0) reads.totalPhysicalMemory(&totalPhysical);
  const MemoryFigures memory = JudgeMemory(installedBytes, totalPhysical, probes.runningOnWow64());
  info->memoryText = memory.text;
  info->memoryClass = memory.memoryClass;
  info->memoryShort = memory.memoryShort;

  reads.videoControllerName(position, &info->graphicsName);
}
