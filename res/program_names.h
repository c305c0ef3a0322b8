#pragma once

// The program's titles, its main window's class and its report's file name,
// in the one place the code, the resource scripts and the version texts take
// them from. UTF-8, as in version_values.h.

#define PROGRAM_TITLE "ソラリオ for UT-750"
#define PROGRAM_SHORT_TITLE "ソラリオ"
// The short title between two full-width spaces, as the taskbar shows it.
#define MAIN_WINDOW_TITLE "　" PROGRAM_SHORT_TITLE "　"
// The main dialog's window class: a second copy of the program, and the
// tools that read its page, find the first one's window by it.
#define MAIN_WINDOW_CLASS "wznCheckerClass"
// The mutex that marks a running copy: the program refuses to start while
// any handle to it is open, and the setup looks for it before it works.
#define SINGLE_INSTANCE_MUTEX "wznCheckerMutexName"
#define REPORT_FILE_NAME "qorChekerLog.txt"
