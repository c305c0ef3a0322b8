#include "ui/memory_figures.h"

#include <windows.h>

#include <cstdint>

int MegabytesFromInstalledBytes(double bytes) {
  const double megabytes = (bytes + 524288.0) / 1048576.0;
  // A figure no int holds is no figure the class or the text can use.
  if (!(megabytes >= 0.0) || megabytes >= 2147483647.0) return megabytes >= 2147483647.0 ? 2147483647 : 0;
  return static_cast<int>(megabytes);
}

int MegabytesFromByteCountText(const std::string& text) {
  uint64_t count = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    const uint64_t digit = static_cast<uint64_t>(c - '0');
    // More than any machine holds: keep the count where it stops growing.
    if (count > (UINT64_MAX - digit) / 10) break;
    count = count * 10 + digit;
  }
  const uint64_t megabytes = (count + 524288) / 1048576;
  return megabytes > 2147483647u ? 2147483647 : static_cast<int>(megabytes);
}

std::string FormatMemoryText(int megabytes) {
  char text[32];
  ::wsprintfA(text, "%d MB", megabytes);
  return text;
}

int ClassifyMemory(int megabytes, bool runningOnWow64) {
  if (megabytes < 2048) return 2;
  if (runningOnWow64) return megabytes < 4096 ? 1 : 0;
  return megabytes < 3072 ? 1 : 0;
}

MemoryFigures JudgeMemory(double installedBytes, const std::string& totalPhysicalText, bool runningOnWow64) {
  MemoryFigures figures;
  figures.megabytes = MegabytesFromInstalledBytes(installedBytes);
  figures.text = FormatMemoryText(figures.megabytes);
  if (figures.megabytes == 0) {
    figures.megabytes = MegabytesFromByteCountText(totalPhysicalText);
    figures.text = FormatMemoryText(figures.megabytes);
  }
  figures.memoryClass = ClassifyMemory(figures.megabytes, runningOnWow64);
  figures.memoryShort = figures.memoryClass == 2 ? 1 : 0;
  return figures;
}
