// Stands in for the browser in a test prefix: appends its parameters, one
// line per start, to the file named by IEXPLORE_RECORD_FILE. The line is
// code page 932 whatever the prefix's locale, so that a run with another
// ANSI code page records the same bytes.
#include <windows.h>

#include <cwchar>

namespace {

// The command line after the program's own (possibly quoted) name.
const wchar_t* SkipProgramName(const wchar_t* line) {
  if (*line == L'"') {
    const wchar_t* end = std::wcschr(line + 1, L'"');
    line = end ? end + 1 : line + std::wcslen(line);
  } else {
    while (*line && *line != L' ' && *line != L'\t') ++line;
  }
  while (*line == L' ' || *line == L'\t') ++line;
  return line;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  wchar_t recordPath[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"IEXPLORE_RECORD_FILE", recordPath, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  const HANDLE file = CreateFileW(recordPath, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  const wchar_t* parameters = SkipProgramName(GetCommandLineW());
  const int units = static_cast<int>(std::wcslen(parameters));
  char line[4096];
  const int size = units ? WideCharToMultiByte(932, 0, parameters, units, line, sizeof(line) - 1, nullptr, nullptr) : 0;
  line[size > 0 ? size : 0] = '\n';
  DWORD written = 0;
  WriteFile(file, line, static_cast<DWORD>((size > 0 ? size : 0) + 1), &written, nullptr);
  CloseHandle(file);
  return 0;
}
