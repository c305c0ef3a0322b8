#pragma once

#include <string>

// The program file's folder, cut at its last backslash. The whole path is
// read, however long: a path cut short would name another folder.
std::wstring ProgramFolder();

// Starts "iexplore.exe" on a guide page below the program folder; `page`
// (code page 932) starts with a backslash. The browser's answer is not
// examined.
void OpenGuidePage(const char* page);
