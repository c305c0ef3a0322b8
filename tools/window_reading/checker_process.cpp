#include "tools/window_reading/checker_process.h"

#include "res/program_names.h"
#include "tools/window_reading/window_probe.h"

namespace {

struct SavedVariable {
  std::string name;
  std::string value;
  bool present;
};

struct WindowSearch {
  DWORD processId;
  const char* className;
  std::vector<HWND>* found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  char className[64] = {};
  GetClassNameA(window, className, sizeof(className));
  if (lstrcmpiA(className, search->className) == 0) search->found->push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> ProcessWindows(DWORD processId, const char* className) {
  std::vector<HWND> found;
  WindowSearch search{processId, className, &found};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return found;
}

HWND WaitForDialog(DWORD processId, const std::function<bool(HWND)>& is, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND candidate : ProcessWindows(processId, "#32770")) {
          if (!found && is(candidate)) found = candidate;
        }
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

CheckerProcess::CheckerProcess(const std::string& exePath, const std::vector<std::string>& environment,
                               const std::string& stderrPath) {
  std::vector<SavedVariable> saved;
  for (const std::string& entry : environment) {
    const size_t equals = entry.find('=');
    SavedVariable variable{entry.substr(0, equals), std::string(), false};
    char value[2048];
    const DWORD length = GetEnvironmentVariableA(variable.name.c_str(), value, sizeof(value));
    variable.present = length > 0 && length < sizeof(value);
    if (variable.present) variable.value.assign(value, length);
    saved.push_back(variable);
    SetEnvironmentVariableA(variable.name.c_str(), entry.substr(equals + 1).c_str());
  }
  std::string commandLine = "\"" + exePath + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  HANDLE errors = INVALID_HANDLE_VALUE;
  if (!stderrPath.empty()) {
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    errors = CreateFileA(stderrPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  if (errors != INVALID_HANDLE_VALUE) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = errors;
  }
  PROCESS_INFORMATION info = {};
  const BOOL created = CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr,
                                      errors != INVALID_HANDLE_VALUE, 0, nullptr, nullptr, &startup, &info);
  if (errors != INVALID_HANDLE_VALUE) CloseHandle(errors);
  if (created) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
  }
  for (const SavedVariable& variable : saved) {
    SetEnvironmentVariableA(variable.name.c_str(), variable.present ? variable.value.c_str() : nullptr);
  }
}

CheckerProcess::~CheckerProcess() {
  if (!process_) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 10000);
  }
  CloseHandle(process_);
}

HWND CheckerProcess::WaitForMainWindow(DWORD timeoutMs) const {
  const DWORD started = GetTickCount();
  while (GetTickCount() - started < timeoutMs) {
    const std::vector<HWND> windows = ProcessWindows(processId_, MAIN_WINDOW_CLASS);
    if (!windows.empty()) return windows.front();
    if (WaitForSingleObject(process_, 50) != WAIT_TIMEOUT) return nullptr;
  }
  return nullptr;
}

bool CheckerProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const {
  if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
  if (exitCode) GetExitCodeProcess(process_, exitCode);
  return true;
}

HWND CheckerProcess::WaitForMessageBox(DWORD timeoutMs) const {
  const DWORD started = GetTickCount();
  while (GetTickCount() - started < timeoutMs) {
    const std::vector<HWND> boxes = ProcessWindows(processId_, "#32770");
    if (!boxes.empty()) return boxes.front();
    if (WaitForSingleObject(process_, 50) != WAIT_TIMEOUT) return nullptr;
  }
  return nullptr;
}
