#pragma once

#include <windows.h>

// The start-up gate: Windows Vista or Windows 7 client editions only.
bool IsSupportedOs();

// The gate's rule on its own: NT platform, version 6.0 or 6.1, workstation.
// Nothing else (service pack, build, suite) is looked at.
bool IsSupportedOsVersion(const OSVERSIONINFOEXA& version);

// True when this process runs under WOW64 (a 32-bit process on 64-bit
// Windows); false without the IsWow64Process export.
bool IsRunningOnWow64();

// True in a Remote Desktop session, whose screen no protected picture
// reaches.
bool IsRemoteSession();

// Test seam: what IsRemoteSession answers; null puts the platform's answer
// back. Returns the previous one.
using RemoteSessionProbe = bool (*)();
RemoteSessionProbe SetRemoteSessionProbe(RemoteSessionProbe probe);
