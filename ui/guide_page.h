#pragma once

#include <string>

// The program file's folder, cut at its last backslash; `bufferSize` is the
// most UTF-16 units of the program's path that are read.
std::wstring ProgramFolder(size_t bufferSize);

#include <windows.h>

// Opens a guide page below the program folder; `page` (code page 932)
// starts with a backslash. Internet Explorer first, then the browser that
// opens .htm files; when neither starts, a box owned by `owner` gives the
// page's full path so the user can open it by hand.
void OpenGuidePage(HWND owner, const char* page);
