#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The display device (adapter output) under a window and what its record
// tells about the adapter. The record's texts come from the platform and
// are read within their fixed sizes.

// Fills `device` with the attached display device of the monitor under the
// window (the last monitor reported when the window spans several). False,
// and `device` untouched, when no monitor or no attached device is found.
bool FindWindowDisplayDevice(HWND window, DISPLAY_DEVICEA* device);

// EnumDisplayMonitors callback: copies the monitor's device name into the
// CCHDEVICENAME-character buffer passed as `data`. Stops on a null monitor.
BOOL CALLBACK CollectMonitorName(HMONITOR monitor, HDC dc, LPRECT clip, LPARAM data);

// PCI vendor and device from a DeviceID such as PCI\VEN_10DE&DEV_0622&...:
// the four characters after each tag, read as hexadecimal (0 when the tag is
// missing). False with both 0 for an empty DeviceID.
bool ParsePciIds(const DISPLAY_DEVICEA& device, uint32_t* vendorId, uint32_t* deviceId);

// Video memory in MB that the driver publishes as
// "HardwareInformation.MemorySize" under the device's registry key. False
// with 0 when the key or a value of at most 4 bytes cannot be read.
bool GetRegistryVideoMemory(const DISPLAY_DEVICEA& device, int* megabytes);

// The megabytes of a "HardwareInformation.MemorySize" value of any registry
// type as RegQueryValueExA handed out its `size` bytes. False with 0 for a
// value longer than 4 bytes.
bool VideoMemoryFromRegistryValue(const BYTE* value, DWORD size, int* megabytes);

// The HKEY_LOCAL_MACHINE path of a DeviceKey in the kernel's notation: the
// text from the first "System" on, or the whole text without one.
std::string RegistryPathFromDeviceKey(const std::string& deviceKey);

// Whole multiples of 16 MB of a byte count: its top byte times 16.
int VideoMemoryMegabytes(uint32_t memorySize);
