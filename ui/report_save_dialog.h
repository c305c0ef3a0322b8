#pragma once

#include <windows.h>

#include <string>

// Asks where to save the report: initial name REPORT_FILE_NAME, the one
// text-file filter, and confirmation before an existing file is replaced.
// The path comes back as the dialog gave it, in UTF-16, so a name in any
// script survives. False when the user cancels.
bool AskReportPath(HWND owner, std::wstring* path);

// Tells the user, in Japanese, that the report could not be saved to `path`.
// The box speaks code page 932: a character it lacks shows as '?' there.
void ShowReportSaveFailedBox(HWND owner, const std::wstring& path);
