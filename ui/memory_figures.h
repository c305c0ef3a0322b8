#pragma once

#include <string>

// Installed memory as the main dialog shows and judges it.

// Whole MB of a byte sum, rounded to the nearest MB.
int MegabytesFromInstalledBytes(double bytes);

// Whole MB, rounded to the nearest, of the leading decimal byte count of a
// text such as "4294967296 Byte"; 0 when the text starts with no digit.
int MegabytesFromByteCountText(const std::string& text);

// "%d MB".
std::string FormatMemoryText(int megabytes);

// 0 recommended, 1 required minimum, 2 insufficient. A 32-bit program under
// WOW64 needs more for the same class than on 32-bit Windows.
int ClassifyMemory(int megabytes, bool runningOnWow64);

// The memory text and class from the two WMI figures: the module sum first,
// the byte-count text when the sum gives 0 MB.
struct MemoryFigures {
  int megabytes;
  std::string text;
  int memoryClass;
  int memoryShort;
};
MemoryFigures JudgeMemory(double installedBytes, const std::string& totalPhysicalText, bool runningOnWow64);
