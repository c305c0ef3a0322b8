#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "handles/non_copyable.h"

// Changes to the test prefix that a test undoes when it ends.

// The browser replaced by the recorder; the prefix's own put back after.
// Without Internet Explorer, the recorder is the program that opens .htm
// files instead, or (as in a fresh prefix) nothing opens them.
enum class BrowserSetup { kInternetExplorer, kHtmHandlerOnly, kNoBrowser };

class ScopedBrowserRecorder : NonCopyable {
 public:
  ScopedBrowserRecorder(const std::string& recorderExe, const std::string& recordFile,
                        BrowserSetup setup = BrowserSetup::kInternetExplorer);
  ~ScopedBrowserRecorder();

  bool Installed() const { return installed_; }
  // Every start so far, one line each, as the bytes the browser was given.
  std::string Recorded() const;
  // Waits until at least one start is recorded.
  bool WaitForRecord(DWORD timeoutMs) const;

 private:
  std::vector<std::string> browsers_;
  std::string recordFile_;
  std::vector<std::string> htmDefaults_;  // the prefix's own, while the recorder opens .htm files
  bool installed_ = false;
};

// Wine's per-application Windows version for one program file name.
class ScopedWindowsVersion : NonCopyable {
 public:
  ScopedWindowsVersion(const char* exeName, const char* version);
  ~ScopedWindowsVersion();

 private:
  std::string key_;
};

// A copy of the program in a folder of its own (created, and removed after).
class ScopedProgramCopy : NonCopyable {
 public:
  ScopedProgramCopy(const std::string& exePath, const std::string& folder);
  ~ScopedProgramCopy();

  const std::string& Path() const { return copy_; }
  bool Copied() const { return copied_; }

 private:
  std::string folder_;
  std::string copy_;
  bool copied_ = false;
};

// The screen's DPI (LogPixels) for the programs started while it lives; the
// prefix's own setting, or none, put back after.
class ScopedScreenDpi : NonCopyable {
 public:
  explicit ScopedScreenDpi(DWORD dpi);
  ~ScopedScreenDpi();

 private:
  DWORD previous_ = 0;
  bool hadValue_ = false;
};
