#include "tests/e2e/prefix_fixtures.h"

#include "tests/e2e/save_dialog_driver.h"

namespace {

const char kOverrides[] = "Software\\Wine\\DllOverrides";

// The browser ShellExecute finds first is the one in the system folder; Wine
// prefers its builtin there unless told to take the file as it is.
void SetBrowserOverride(bool native) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kOverrides, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  if (native) {
    RegSetValueExA(key, "iexplore.exe", 0, REG_SZ, reinterpret_cast<const BYTE*>("native"), 7);
  } else {
    RegDeleteValueA(key, "iexplore.exe");
  }
  RegCloseKey(key);
}

// The default values that make a program open .htm files; a fresh prefix
// has the command but no extension pointing to it.
const char* const kHtmKeys[] = {".htm", "htmlfile\\shell\\open\\command"};

std::string ClassesDefault(const char* key) {
  char value[1024] = {};
  LONG size = sizeof(value);
  if (RegQueryValueA(HKEY_CLASSES_ROOT, key, value, &size) != ERROR_SUCCESS) return std::string();
  return value;
}

bool SetClassesDefault(const char* key, const std::string& value) {
  if (value.empty()) return RegDeleteKeyA(HKEY_CLASSES_ROOT, key) == ERROR_SUCCESS;
  return RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, value.c_str(), static_cast<DWORD>(value.size())) ==
         ERROR_SUCCESS;
}

}  // namespace

ScopedBrowserRecorder::ScopedBrowserRecorder(const std::string& recorderExe, const std::string& recordFile,
                                             BrowserSetup setup)
    : recordFile_(recordFile) {
  char systemFolder[MAX_PATH];
  GetSystemDirectoryA(systemFolder, MAX_PATH);
  char programFiles[MAX_PATH];
  ExpandEnvironmentStringsA("%ProgramFiles%\\Internet Explorer\\iexplore.exe", programFiles, MAX_PATH);
  browsers_ = {std::string(systemFolder) + "\\iexplore.exe", programFiles};
  DeleteFileA(recordFile_.c_str());
  SetEnvironmentVariableA("IEXPLORE_RECORD_FILE", recordFile_.c_str());
  installed_ = true;
  for (const std::string& browser : browsers_) {
    const std::string backup = browser + ".solario-backup";
    if (GetFileAttributesA(backup.c_str()) == INVALID_FILE_ATTRIBUTES &&
        !CopyFileA(browser.c_str(), backup.c_str(), FALSE)) {
      installed_ = false;
      continue;
    }
    if (setup == BrowserSetup::kInternetExplorer) {
      installed_ = CopyFileA(recorderExe.c_str(), browser.c_str(), FALSE) && installed_;
    } else {
      // Turned off in Windows Features: the file is gone.
      installed_ = (DeleteFileA(browser.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND) && installed_;
    }
  }
  SetBrowserOverride(true);
  if (setup != BrowserSetup::kHtmHandlerOnly) return;
  for (const char* key : kHtmKeys) htmDefaults_.push_back(ClassesDefault(key));
  installed_ = SetClassesDefault(kHtmKeys[0], "htmlfile") &&
               SetClassesDefault(kHtmKeys[1], "\"" + recorderExe + "\" \"%1\"") && installed_;
}

ScopedBrowserRecorder::~ScopedBrowserRecorder() {
  SetEnvironmentVariableA("IEXPLORE_RECORD_FILE", nullptr);
  SetBrowserOverride(false);
  for (size_t i = 0; i < htmDefaults_.size(); ++i) SetClassesDefault(kHtmKeys[i], htmDefaults_[i]);
  for (const std::string& browser : browsers_) {
    const std::string backup = browser + ".solario-backup";
    if (GetFileAttributesA(backup.c_str()) != INVALID_FILE_ATTRIBUTES) {
      MoveFileExA(backup.c_str(), browser.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
  }
  DeleteFileA(recordFile_.c_str());
}

std::string ScopedBrowserRecorder::Recorded() const { return ReadFileBytes(recordFile_); }

bool ScopedBrowserRecorder::WaitForRecord(DWORD timeoutMs) const {
  const DWORD started = GetTickCount();
  while (GetTickCount() - started < timeoutMs) {
    if (Recorded().find('\n') != std::string::npos) return true;
    Sleep(50);
  }
  return false;
}

ScopedWindowsVersion::ScopedWindowsVersion(const char* exeName, const char* version)
    : key_(std::string("Software\\Wine\\AppDefaults\\") + exeName) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                 static_cast<DWORD>(lstrlenA(version) + 1));
  RegCloseKey(key);
}

ScopedWindowsVersion::~ScopedWindowsVersion() { RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str()); }

ScopedProgramCopy::ScopedProgramCopy(const std::string& exePath, const std::string& folder) : folder_(folder) {
  CreateDirectoryA(folder_.c_str(), nullptr);
  copy_ = folder_ + "\\qorChecker.exe";
  copied_ = CopyFileA(exePath.c_str(), copy_.c_str(), FALSE) != FALSE;
}

ScopedProgramCopy::~ScopedProgramCopy() {
  DeleteFileA(copy_.c_str());
  RemoveDirectoryA(folder_.c_str());
}

namespace {
const char kDesktopKey[] = "Control Panel\\Desktop";
}  // namespace

ScopedScreenDpi::ScopedScreenDpi(DWORD dpi) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  DWORD size = sizeof(previous_);
  hadValue_ = RegQueryValueExA(key, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&previous_), &size) ==
              ERROR_SUCCESS;
  RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
  RegCloseKey(key);
}

ScopedScreenDpi::~ScopedScreenDpi() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  if (hadValue_) {
    RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_), sizeof(previous_));
  } else {
    RegDeleteValueA(key, "LogPixels");
  }
  RegCloseKey(key);
}
