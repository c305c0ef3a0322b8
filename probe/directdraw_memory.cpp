#include <ddraw.h>
#include <wrl/client.h>

#include <cstring>

#include "handles/export_lookup.h"
#include "handles/owner.h"
#include "probe/directdraw_probe.h"

BOOL WINAPI MatchMonitorDevice(GUID* guid, LPSTR, LPSTR driverName, LPVOID context, HMONITOR monitor) {
  auto* match = static_cast<DirectDrawMonitorMatch*>(context);
  // The primary display driver comes with a null monitor and never matches.
  if (!match || monitor != match->monitor) return TRUE;
  match->found = 1;
  lstrcpynA(match->driverName, driverName ? driverName : "", sizeof(match->driverName));
  if (guid) std::memcpy(&match->deviceGuid, guid, sizeof(match->deviceGuid));
  return TRUE;
}

HRESULT QueryMonitorLocalVideoMemory(HMONITOR monitor, DWORD* bytes) {
  *bytes = 0;
  OwnedModule ddraw(LoadLibraryA("ddraw.dll"));
  if (!ddraw) return E_FAIL;

  DirectDrawMonitorMatch match{};
  match.monitor = monitor;
  const auto enumerate = LookUpExport<LPDIRECTDRAWENUMERATEEXA>(ddraw.get(), "DirectDrawEnumerateExA");
  if (enumerate) enumerate(MatchMonitorDevice, &match, DDENUM_ATTACHEDSECONDARYDEVICES);

  // Without a match the GUID is still all zero, which names the primary
  // driver's device to DirectDrawCreate.
  using DirectDrawCreateFunction = HRESULT(WINAPI*)(GUID*, LPDIRECTDRAW*, IUnknown*);
  const auto create = LookUpExport<DirectDrawCreateFunction>(ddraw.get(), "DirectDrawCreate");
  bool read = false;
  if (create) {
    Microsoft::WRL::ComPtr<IDirectDraw> directDraw;
    if (SUCCEEDED(create(&match.deviceGuid, directDraw.ReleaseAndGetAddressOf(), nullptr)) && directDraw) {
      Microsoft::WRL::ComPtr<IDirectDraw7> directDraw7;
      if (SUCCEEDED(directDraw->QueryInterface(IID_IDirectDraw7,
                                               reinterpret_cast<void**>(directDraw7.ReleaseAndGetAddressOf())))) {
        DDSCAPS2 caps{};
        caps.dwCaps = DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM;
        DWORD total = 0;
        if (SUCCEEDED(directDraw7->GetAvailableVidMem(&caps, &total, nullptr))) {
          *bytes = total;
          read = true;
        }
        directDraw7.Reset();
      }
      directDraw.Reset();
    }
  }
  // Every DirectDraw object is gone before the library handle is given back.
  ddraw.reset();
  return read ? S_OK : E_FAIL;
}

int GetMonitorVideoMemory(HWND window, int* megabytes) {
  *megabytes = 0;
  HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY);
  if (!monitor) return -1;
  DWORD bytes = 0;
  QueryMonitorLocalVideoMemory(monitor, &bytes);
  *megabytes = static_cast<int>(bytes >> 20);
  return 0;
}
