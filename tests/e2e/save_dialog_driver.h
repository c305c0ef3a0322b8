#pragma once

#include <windows.h>

#include <string>

// The program's save dialog, answered from outside.

// A dialog of the process that offers the report's file name; null after the timeout.
HWND WaitForSaveDialog(DWORD processId, DWORD timeoutMs);

// Types the path into the name field and confirms it.
bool AnswerSaveDialog(HWND dialog, const std::string& path);

// A dialog of the process other than `except` whose text holds `text`
// (a confirmation or failure box); null after the timeout.
HWND WaitForBoxSaying(DWORD processId, const std::string& text, DWORD timeoutMs);

// The whole content of a file, or empty.
std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
