#pragma once

#include <string>

// The program file's folder, cut at its last backslash; `bufferSize` is the
// most UTF-16 units of the program's path that are read.
std::wstring ProgramFolder(size_t bufferSize);

// Starts "iexplore.exe" on a guide page below the program folder; `page`
// (code page 932) starts with a backslash. The browser's answer is not
// examined.
void OpenGuidePage(const char* page);
