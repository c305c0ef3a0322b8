#pragma once

#include <windows.h>

#include <string>

// The program's save dialog, answered from outside.

// A dialog of the process that offers the report's file name; null after the timeout.
HWND WaitForSaveDialog(DWORD processId, DWORD timeoutMs);

// Puts the path into the name field and confirms it, by window messages:
// for paths the keyboard cannot type.
bool AnswerSaveDialog(HWND dialog, const std::string& path);

// Clicks into the name field, types the (ASCII) path on the real keyboard
// and presses Enter; first waits until the field holds the whole path,
// unless the path is longer than the field takes.
bool TypeIntoSaveDialog(HWND dialog, const std::string& path, bool wholePathFits = true);

// A dialog of the process other than `except` whose text holds `text`
// (a confirmation or failure box); null after the timeout.
HWND WaitForBoxSaying(DWORD processId, const std::string& text, DWORD timeoutMs);

// The whole content of a file, or empty.
std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
