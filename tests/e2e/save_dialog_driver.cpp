#include "tests/e2e/save_dialog_driver.h"

#include <vector>

#include "tests/e2e/x_input.h"
#include "tools/window_reading/checker_process.h"
#include "tools/window_reading/window_probe.h"

namespace {

const char kReportName[] = "qorChekerLog.txt";

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

struct EditSearch {
  HWND found = nullptr;
};

BOOL CALLBACK FindNameEdit(HWND child, LPARAM context) {
  auto* search = reinterpret_cast<EditSearch*>(context);
  if (lstrcmpiA(ClassOf(child).c_str(), "Edit") == 0 && WindowTextOf(child) == kReportName) {
    search->found = child;
    return FALSE;
  }
  return TRUE;
}

HWND NameEdit(HWND dialog) {
  EditSearch search;
  EnumChildWindows(dialog, FindNameEdit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

HWND WaitForSaveDialog(DWORD processId, DWORD timeoutMs) {
  return WaitForDialog(processId, [](HWND dialog) { return NameEdit(dialog) != nullptr; }, timeoutMs);
}

bool AnswerSaveDialog(HWND dialog, const std::string& path) {
  const HWND edit = NameEdit(dialog);
  if (!edit) return false;
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  return true;
}

bool TypeIntoSaveDialog(HWND dialog, const std::string& path, bool wholePathFits) {
  const HWND edit = NameEdit(dialog);
  RECT rect = {};
  if (!edit || !GetWindowRect(edit, &rect)) return false;
  if (!XClickAt(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2})) return false;
  // Wine's edit control has no Ctrl+A: select the offered name from its end.
  if (!XPressKey("End shift+Home") || !XTypeText(path)) return false;
  if (wholePathFits && !WaitUntil([&] { return WindowTextOf(edit) == path; }, 5000)) return false;
  return XPressKey("Return");
}

HWND WaitForBoxSaying(DWORD processId, const std::string& text, DWORD timeoutMs) {
  return WaitForDialog(
      processId, [&](HWND box) { return MessageBoxText(box).find(text) != std::string::npos; }, timeoutMs);
}

std::string ReadFileBytes(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  if (!bytes.empty()) ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  return ok;
}
