// Stands in for the browser in a test prefix: appends its parameters, one
// line per start, to the file named by IEXPLORE_RECORD_FILE.
#include <windows.h>

#include <cstring>

namespace {

// The command line after the program's own (possibly quoted) name.
const char* SkipProgramName(const char* line) {
  if (*line == '"') {
    const char* end = std::strchr(line + 1, '"');
    line = end ? end + 1 : line + std::strlen(line);
  } else {
    while (*line && *line != ' ' && *line != '\t') ++line;
  }
  while (*line == ' ' || *line == '\t') ++line;
  return line;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char recordPath[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("IEXPLORE_RECORD_FILE", recordPath, sizeof(recordPath));
  if (length == 0 || length >= sizeof(recordPath)) return 1;
  const HANDLE file = CreateFileA(recordPath, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  const char* parameters = SkipProgramName(GetCommandLineA());
  DWORD written = 0;
  WriteFile(file, parameters, static_cast<DWORD>(std::strlen(parameters)), &written, nullptr);
  WriteFile(file, "\n", 1, &written, nullptr);
  CloseHandle(file);
  return 0;
}
