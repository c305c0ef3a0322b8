#pragma once

// The program's title and its report's file name, in the one place the code,
// the resource scripts and the version texts take them from. UTF-8, as in
// version_values.h.

#define PROGRAM_TITLE "ソラリオ for UT-750"
#define REPORT_FILE_NAME "qorChekerLog.txt"
