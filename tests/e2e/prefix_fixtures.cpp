#include "tests/e2e/prefix_fixtures.h"

#include "tests/e2e/save_dialog_driver.h"

namespace {

const char kDesktopKey[] = "Control Panel\\Desktop";

// Sets a value under HKEY_CURRENT_USER; a null `data` deletes it.
void SetUserValue(const char* subKey, const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, subKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  if (data) {
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
  } else {
    RegDeleteValueA(key, name);
  }
  RegCloseKey(key);
}

// The browser ShellExecute finds first is the one in the system folder; Wine
// prefers its builtin there unless told to take the file as it is.
void SetBrowserOverride(bool native) {
  SetUserValue("Software\\Wine\\DllOverrides", "iexplore.exe", REG_SZ, native ? "native" : nullptr, 7);
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
  SetUserValue(key_.c_str(), "Version", REG_SZ, version, static_cast<DWORD>(lstrlenA(version) + 1));
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

ScopedScreenDpi::ScopedScreenDpi(DWORD dpi) {
  DWORD size = sizeof(previous_);
  hadValue_ = RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", RRF_RT_REG_DWORD, nullptr, &previous_,
                           &size) == ERROR_SUCCESS;
  SetUserValue(kDesktopKey, "LogPixels", REG_DWORD, &dpi, sizeof(dpi));
}

ScopedScreenDpi::~ScopedScreenDpi() {
  SetUserValue(kDesktopKey, "LogPixels", REG_DWORD, hadValue_ ? &previous_ : nullptr, sizeof(previous_));
}
