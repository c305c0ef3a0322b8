#pragma once

#include <windows.h>

#include "ui/environment_info.h"
#include "ui/environment_reads.h"

// The platform reads of the start handler besides WMI's: the display device
// under the video window, the video memory its driver and DirectDraw give,
// and whether the process runs under WOW64. Tests hand in their own.
struct EnvironmentProbes {
  bool (*findDisplayDevice)(HWND window, DISPLAY_DEVICEA* device);
  bool (*registryVideoMemory)(const DISPLAY_DEVICEA& device, int* megabytes);
  int (*directDrawVideoMemory)(HWND window, int* megabytes);
  bool (*runningOnWow64)();
};

const EnvironmentProbes& PlatformEnvironmentProbes();

// Fills what a check needs to know of the PC before it starts: the PCI ids
// of the adapter under `videoWindow`, the video memory text, the OS, CPU,
// memory and graphics names and the memory class. The check time and the
// judgement are left as they are. Writes the judgement log's lines on the
// ids and the two video memory figures.
void GatherCheckEnvironment(HWND videoWindow, const EnvironmentProbes& probes, const EnvironmentReads& reads,
                            EnvironmentInfo* info);
