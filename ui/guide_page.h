#pragma once

#include <windows.h>

#include <string>

// The program file's folder, cut at its last backslash. The whole path is
// read, however long: a path cut short would name another folder.
std::wstring ProgramFolder();

// Opens a guide page below the program folder; `page` (code page 932)
// starts with a backslash. Internet Explorer first, then the browser that
// opens .htm files; when neither starts, a box owned by `owner` gives the
// page's full path so the user can open it by hand.
void OpenGuidePage(HWND owner, const char* page);
