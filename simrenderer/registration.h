#pragma once

#include <windows.h>

#include <string>

// Puts this DLL in place of the platform's Video Mixing Renderer for the
// whole prefix, keeping the previous server path so it can be put back.
HRESULT InstallInPlaceOfRenderer(const std::string& modulePath);
HRESULT RestorePlatformRenderer();
