#pragma once

#include <string>

// The program file's folder, cut at its last backslash character (a
// backslash byte inside a double-byte character is not one).
std::string ProgramFolder(size_t bufferSize);

// Starts "iexplore.exe" on a guide page below the program folder; `page`
// starts with a backslash. The browser's answer is not examined.
void OpenGuidePage(const char* page);
