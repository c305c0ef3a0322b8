#pragma once

#include <windows.h>

#include <string>

// Asks where to save the report: initial name REPORT_FILE_NAME, the one
// text-file filter, and confirmation before an existing file is replaced.
// The path comes back as code page 932. False when the user cancels.
bool AskReportPath(HWND owner, std::string* path);

// Writes `text` to a new file beside `path`, then puts it in place of `path`
// in one step. On failure the file at `path`, if any, is left as it was and
// no other file remains.
bool WriteReportFileReplacing(const std::string& path, const std::string& text);

// Tells the user, in Japanese, that the report could not be saved to `path`.
void ShowReportSaveFailedBox(HWND owner, const std::string& path);
