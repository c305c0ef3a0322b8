#pragma once

#include <windows.h>

#include <cstring>
#include <vector>

// The display driver's own figure for its video memory, under the primary
// display device's key, found through the platform rather than through the
// program's probe. Whatever the driver had there is put back at the end.
class ScopedDriverMemorySize {
 public:
  static constexpr char kName[] = "HardwareInformation.MemorySize";

  ScopedDriverMemorySize() {
    device_.cb = sizeof(device_);
    for (DWORD i = 0; EnumDisplayDevicesA(nullptr, i, &device_, 0); ++i) {
      if (!(device_.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE)) continue;
      // "\Registry\Machine\System\..." names a key below HKEY_LOCAL_MACHINE.
      const char* path = strstr(device_.DeviceKey, "\\System\\");
      if (path && RegOpenKeyExA(HKEY_LOCAL_MACHINE, path + 1, 0, KEY_READ | KEY_SET_VALUE, &key_)) key_ = nullptr;
      break;
    }
    DWORD size = 0;
    hadValue = key_ && !RegQueryValueExA(key_, kName, nullptr, &savedType, nullptr, &size);
    saved.resize(hadValue ? size : 0);
    if (hadValue) RegQueryValueExA(key_, kName, nullptr, &savedType, saved.data(), &size);
  }
  ~ScopedDriverMemorySize() {
    if (!key_) return;
    if (hadValue) RegSetValueExA(key_, kName, 0, savedType, saved.data(), static_cast<DWORD>(saved.size()));
    if (!hadValue) RegDeleteValueA(key_, kName);
    RegCloseKey(key_);
  }
  ScopedDriverMemorySize(const ScopedDriverMemorySize&) = delete;
  ScopedDriverMemorySize& operator=(const ScopedDriverMemorySize&) = delete;

  const DISPLAY_DEVICEA& device() const { return device_; }
  bool opened() const { return key_ != nullptr; }
  bool Write(DWORD type, const std::vector<BYTE>& data) const {
    return key_ && !RegSetValueExA(key_, kName, 0, type, data.data(), static_cast<DWORD>(data.size()));
  }
  void Delete() const { RegDeleteValueA(key_, kName); }

  bool hadValue = false;
  DWORD savedType = 0;
  std::vector<BYTE> saved;

 private:
  DISPLAY_DEVICEA device_ = {};
  HKEY key_ = nullptr;
};
