#include "probe/os_probes.h"

#include "handles/export_lookup.h"

static_assert(sizeof(OSVERSIONINFOEXA) == 156, "OSVERSIONINFOEXA is the 156-byte record");

bool IsSupportedOsVersion(const OSVERSIONINFOEXA& version) {
  // Server 2008 and 2008 R2 share 6.0 and 6.1 with the clients; only the
  // product type tells them apart.
  return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion == 6 &&
         (version.dwMinorVersion == 0 || version.dwMinorVersion == 1) &&
         version.wProductType == VER_NT_WORKSTATION;
}

bool IsSupportedOs() {
  OSVERSIONINFOEXA version{};
  version.dwOSVersionInfoSize = sizeof(version);
  if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&version))) return false;
  return IsSupportedOsVersion(version);
}

bool IsRunningOnWow64() {
  // Vista has the export everywhere, but the lookup keeps the probe safe
  // on a system without it.
  using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
  const auto isWow64Process =
      LookUpExport<IsWow64ProcessFunction>(GetModuleHandleA("kernel32"), "IsWow64Process");
  if (!isWow64Process) return false;
  BOOL wow64 = FALSE;
  isWow64Process(GetCurrentProcess(), &wow64);
  return wow64 != FALSE;
}

namespace {

RemoteSessionProbe g_remoteSessionProbe = nullptr;

}  // namespace

bool IsRemoteSession() {
  if (g_remoteSessionProbe) return g_remoteSessionProbe();
  return GetSystemMetrics(SM_REMOTESESSION) != 0;
}

RemoteSessionProbe SetRemoteSessionProbe(RemoteSessionProbe probe) {
  const RemoteSessionProbe previous = g_remoteSessionProbe;
  g_remoteSessionProbe = probe;
  return previous;
}
