#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// One start of the real program in this prefix. The process is ended and
// waited for when the object goes, whatever its user did with it.
class CheckerProcess {
 public:
  // `exePath` is the program to start; `environment` entries "NAME=value"
  // are added to this process's environment for the child only.
  // A non-empty `stderrPath` receives what Wine writes to the child's
  // standard error: its debug channels.
  CheckerProcess(const std::string& exePath, const std::vector<std::string>& environment = {},
                 const std::string& stderrPath = std::string());
  ~CheckerProcess();
  CheckerProcess(const CheckerProcess&) = delete;
  CheckerProcess& operator=(const CheckerProcess&) = delete;

  bool Started() const { return process_ != nullptr; }
  DWORD ProcessId() const { return processId_; }
  HANDLE Handle() const { return process_; }
  // The main window of this process, once it shows; null after the timeout.
  HWND WaitForMainWindow(DWORD timeoutMs) const;
  // True when the process ended within the timeout; its exit code then.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr) const;
  // A message box (dialog class window) of this process, once it shows.
  HWND WaitForMessageBox(DWORD timeoutMs) const;

 private:
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
};

// Top-level windows of the given class that belong to a process.
std::vector<HWND> ProcessWindows(DWORD processId, const char* className);

// A dialog-class window of the process for which `is` holds, once one
// shows; null after the timeout (0: one look).
HWND WaitForDialog(DWORD processId, const std::function<bool(HWND)>& is, DWORD timeoutMs);

// A shown dialog-class window of the process owned by `owner`.
inline HWND WaitForOwnedDialog(DWORD processId, HWND owner, DWORD timeoutMs) {
  return WaitForDialog(
      processId, [owner](HWND dialog) { return GetWindow(dialog, GW_OWNER) == owner && IsWindowVisible(dialog); },
      timeoutMs);
}
