#pragma once

#include <windows.h>

// HKEY_CLASSES_ROOT\CLSID\{289A8718-...}: "Bouncing Ball", with
// InprocServer32 = `dllPath` and ThreadingModel "Both".
HRESULT RegisterBallSource(const wchar_t* dllPath);

// Removes the class key; S_OK also when it was not there.
HRESULT UnregisterBallSource();
