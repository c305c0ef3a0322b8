#pragma once

#include <windows.h>

#include <string>

#include "ui/environment_info.h"

// The string-table entries the report is made of, as code page 932 text.
struct ReportStrings {
  std::string versionLine;      // 141, holds one "%s" for the file version
  std::string latestInfo;       // 203
  std::string analogDownscale;  // 206
  std::string ngOverlay;        // 212
  std::string ngCopp;           // 213
  std::string ngHdcp;           // 215
  std::string ngCgmsa;          // 217
};

// Loads the entries from `module`; a missing entry stays empty.
ReportStrings LoadReportStrings(HINSTANCE module);

// The whole report file: code page 932, CR LF line ends, no byte-order mark,
// and no line end after the last line, which is the copyright notice.
std::string ComposeReport(const EnvironmentInfo& env, const ReportStrings& strings,
                          const std::string& fileVersion, const std::string& legalCopyright);
