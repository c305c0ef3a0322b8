#pragma once

#include <windows.h>
#include <unknwn.h>

#include <cstdint>

// Graphics-hardware facts from DirectDraw 7.

// The context of one DirectDrawEnumerateExA walk for a monitor's device.
struct DirectDrawMonitorMatch {
  GUID deviceGuid;        // all zero until a device reports the monitor
  HMONITOR monitor;       // the monitor looked for
  char driverName[512];   // the matching device's driver name
  BYTE found;             // 1 once a device matched
};

// PCI vendor and device of the primary DirectDraw device. When no DirectDraw 7
// object can be created, tells the user in a box owned by `owner` that the
// ids could not be read and the check goes on, and returns false; the
// identifiers are written only on success.
bool GetDirectDrawDeviceIds(HWND owner, uint32_t* vendorId, uint32_t* deviceId);

// Local video memory in whole MB of the DirectDraw device of the window's
// monitor (the primary monitor for a window off every monitor). 0, or -1
// when there is no monitor at all; `megabytes` is 0 when DirectDraw gives no
// figure.
int GetMonitorVideoMemory(HWND window, int* megabytes);

// Local video memory in bytes of the DirectDraw device that drives `monitor`:
// S_OK when read, E_FAIL with 0 bytes otherwise.
HRESULT QueryMonitorLocalVideoMemory(HMONITOR monitor, DWORD* bytes);

// DirectDrawEnumerateExA callback: records the device that reports the
// monitor of the DirectDrawMonitorMatch in `context` (the last one wins).
BOOL WINAPI MatchMonitorDevice(GUID* guid, LPSTR description, LPSTR driverName, LPVOID context,
                               HMONITOR monitor);

// Test seam: the creator defaults to DirectDrawCreateEx; null puts it back.
// Returns the previous one.
using DirectDrawCreator = HRESULT(WINAPI*)(GUID* guid, void** object, REFIID iid, IUnknown* outer);
DirectDrawCreator SetDirectDrawCreator(DirectDrawCreator creator);
