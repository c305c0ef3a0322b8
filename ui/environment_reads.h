#pragma once

#include <string>

// The WMI reads of the start handler, as one table. The program uses WMI;
// only a test build of the program puts other answers in place, because WMI
// cannot be told what to answer.
struct EnvironmentReads {
  void (*osName)(std::string* osName);
  void (*cpuName)(std::string* cpuName);
  void (*installedMemory)(double* bytes);
  void (*totalPhysicalMemory)(std::string* text);
  void (*findVideoController)(const std::string& pnpDeviceId, int* position);
  void (*videoControllerName)(int position, std::string* name);
};

const EnvironmentReads& CurrentEnvironmentReads();
const EnvironmentReads& WmiEnvironmentReads();
// Null puts WMI back.
void SetEnvironmentReads(const EnvironmentReads* reads);
