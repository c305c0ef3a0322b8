#pragma once

#include <cstdint>
#include <string>

#include "judge/judge_result.h"

// What the main dialog knows of the PC under test. Texts are code page 932.
struct EnvironmentInfo {
  std::string checkTime;     // "%04d/%02d/%02d %02d:%02d" when the last run ended
  std::string osName;
  std::string cpuName;
  std::string memoryText;    // "%d MB"
  std::string graphicsName;
  std::string vramText;      // shown by the detail dialog
  uint32_t vendorId = 0;
  uint32_t deviceId = 0;
  int isPentium4 = 0;
  int memoryShort = 0;
  int memoryClass = 0;       // 0 recommended, 1 required minimum, 2 insufficient
  JudgeResult judge = {};
};
