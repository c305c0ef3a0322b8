#pragma once

#include <windows.h>

// HKEY_CLASSES_ROOT\CLSID\{289A8718-...}: "Bouncing Ball", with
// InprocServer32 = `dllPath` and ThreadingModel "Both".
HRESULT RegisterBallSource(const wchar_t* dllPath);

// Removes the class key while its InprocServer32 names `dllPath` (or names
// nothing): S_OK, also when the key was not there. S_FALSE, and the key
// left, when it names another DLL.
HRESULT UnregisterBallSource(const wchar_t* dllPath);
