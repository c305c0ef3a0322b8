#pragma once

#include <string>

#include "ui/environment_info.h"

// The marks and the guide page of the result page. A mark of 0 is not drawn.
struct VerdictState {
  int osMark = 0;       // 1
  int memoryMark = 0;   // 1 recommended, 2 required minimum, 3 insufficient
  int cpuMark = 0;      // 3 for an unsupported processor
  int displayMark = 0;  // 1 high definition, 2 downscaled, 3 not displayable
  int overallMark = 0;  // 1 fully suitable, 2 with limits, 3 not suitable
  int solutionPage = 0;
};

// Everything the result page shows for one environment and judgement.
struct VerdictView {
  int isPentium4;
  VerdictState marks;
  std::string osText, osStatus;
  std::string memoryText, memoryStatus;
  std::string displayMessage, cpuMessage;
  bool detailsEnabled;
  bool solutionVisible;
};

// True when the processor name holds "Intel(R) Pentium(R) 4 CPU".
bool IsPentium4Name(const std::string& cpuName);

VerdictView ComposeVerdict(const EnvironmentInfo& environment);
