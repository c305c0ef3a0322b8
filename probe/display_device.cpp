#include "probe/display_device.h"

#include <cstdlib>
#include <cstring>

#include "handles/owner.h"

static_assert(sizeof(DISPLAY_DEVICEA) == 424, "DISPLAY_DEVICEA is the 424-byte record");
static_assert(sizeof(MONITORINFOEXA) == 72, "MONITORINFOEXA is the 72-byte record");

namespace {

// Platform texts are fixed arrays that need not end in a terminator.
template <size_t N>
std::string FixedText(const char (&text)[N]) {
  return std::string(text, strnlen(text, N));
}

uint32_t ParseTaggedHex(const std::string& deviceId, const char* tag) {
  const size_t at = deviceId.find(tag);
  if (at == std::string::npos) return 0;
  const std::string digits = deviceId.substr(at + std::strlen(tag), 4);
  return static_cast<uint32_t>(std::strtol(digits.c_str(), nullptr, 16));
}

bool IsAttached(const char* deviceName) {
  DEVMODEA mode{};
  mode.dmSize = sizeof(mode);
  return EnumDisplaySettingsA(deviceName, ENUM_CURRENT_SETTINGS, &mode) != FALSE;
}

}  // namespace

BOOL CALLBACK CollectMonitorName(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  if (!monitor) return FALSE;
  MONITORINFOEXA info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoA(monitor, &info)) {
    lstrcpynA(reinterpret_cast<char*>(data), info.szDevice, CCHDEVICENAME);
  }
  return TRUE;
}

bool FindWindowDisplayDevice(HWND window, DISPLAY_DEVICEA* device) {
  RECT rect{};
  if (!GetWindowRect(window, &rect)) return false;
  char monitorName[CCHDEVICENAME] = {};
  EnumDisplayMonitors(nullptr, &rect, CollectMonitorName, reinterpret_cast<LPARAM>(monitorName));
  if (monitorName[0] == '\0') return false;

  DISPLAY_DEVICEA candidate{};
  for (DWORD index = 0;; ++index) {
    candidate.cb = sizeof(candidate);
    if (!EnumDisplayDevicesA(nullptr, index, &candidate, 0)) return false;
    if (FixedText(candidate.DeviceName) != monitorName) continue;
    if (!IsAttached(FixedText(candidate.DeviceName).c_str())) continue;
    *device = candidate;
    return true;
  }
}

bool ParsePciIds(const DISPLAY_DEVICEA& device, uint32_t* vendorId, uint32_t* deviceId) {
  *vendorId = 0;
  *deviceId = 0;
  const std::string id = FixedText(device.DeviceID);
  if (id.empty()) return false;
  *vendorId = ParseTaggedHex(id, "VEN_");
  *deviceId = ParseTaggedHex(id, "DEV_");
  return true;
}

std::string RegistryPathFromDeviceKey(const std::string& deviceKey) {
  const size_t at = deviceKey.find("System");
  return at == std::string::npos ? deviceKey : deviceKey.substr(at);
}

int VideoMemoryMegabytes(uint32_t memorySize) { return static_cast<int>(memorySize >> 24) * 16; }

bool GetRegistryVideoMemory(const DISPLAY_DEVICEA& device, int* megabytes) {
  *megabytes = 0;
  const std::string path = RegistryPathFromDeviceKey(FixedText(device.DeviceKey));
  OwnedRegKey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return false;
  BYTE value[4] = {};
  DWORD size = sizeof(value);
  if (RegQueryValueExA(key.get(), "HardwareInformation.MemorySize", nullptr, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    return false;
  }
  return VideoMemoryFromRegistryValue(value, size, megabytes);
}

bool VideoMemoryFromRegistryValue(const BYTE* value, DWORD size, int* megabytes) {
  *megabytes = 0;
  if (size > 4 || (size && !value)) return false;
  // Drivers write the size as REG_DWORD or as REG_BINARY; both are read as
  // four little-endian bytes. A shorter value leaves its missing high bytes 0.
  uint32_t memorySize = 0;
  for (DWORD i = 0; i < size; ++i) memorySize |= static_cast<uint32_t>(value[i]) << (8 * i);
  *megabytes = VideoMemoryMegabytes(memorySize);
  return true;
}
