#pragma once

#include <windows.h>

#include <string>

// "%04d/%02d/%02d %02d:%02d": the local time at which a check ended.
std::string FormatCheckTime(const SYSTEMTIME& time);
