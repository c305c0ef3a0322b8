#pragma once

#include <string>

#include "ui/environment_info.h"

// The marks the result page draws; the numbers are what VerdictState holds.
enum Mark { kMarkNone = 0, kMarkDoubleCircle = 1, kMarkCircle = 2, kMarkCross = 3 };

// The marks and the guide page of the result page. kMarkNone is not drawn.
struct VerdictState {
  int osMark = kMarkNone;       // double circle
  int memoryMark = kMarkNone;   // double circle recommended, circle required minimum, cross insufficient
  int cpuMark = kMarkNone;      // cross for an unsupported processor
  int displayMark = kMarkNone;  // double circle high definition, circle downscaled, cross not displayable
  int overallMark = kMarkNone;  // double circle fully suitable, circle with limits, cross not suitable
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

// The guide page below the program folder for a solution code, starting
// with a backslash; null for a code without a page.
const char* SolutionPagePath(int solutionPage);
