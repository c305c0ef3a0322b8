// Twenty starts and exits of the real program in one prefix: each start
// finds no trace of the one before it.
#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/e2e_support.h"

namespace {

const char kMutexName[] = "wznCheckerMutexName";

bool MutexExists() {
  const HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, kMutexName);
  if (!mutex) return false;
  CloseHandle(mutex);
  return true;
}

int RunningCopies() {
  int copies = 0;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, "qorChecker.exe") == 0) ++copies;
  }
  CloseHandle(snapshot);
  return copies;
}

TEST_F(CheckerAppTest, TwentyStartsAndExitsLeaveNothingBehind) {
  ASSERT_FALSE(MutexExists());
  ASSERT_EQ(RunningCopies(), 0);
  for (int start = 1; start <= 20; ++start) {
    SCOPED_TRACE(start);
    CheckerProcess checker(kProgram);
    const HWND window = checker.WaitForMainWindow(kShowTimeout);
    ASSERT_TRUE(window) << "the start was refused or failed";
    EXPECT_TRUE(MutexExists());
    // By turns: the exit button with the real pointer, and Escape.
    if (start % 2) {
      ASSERT_TRUE(XClickControl(window, IDC_EXIT));
    } else {
      PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
    DWORD exitCode = 1;
    // Wine takes about two seconds to end any dialog program, ours or not.
    ASSERT_TRUE(checker.WaitForExit(kShowTimeout, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(MutexExists());
    EXPECT_EQ(RunningCopies(), 0);
    EXPECT_FALSE(IsWindow(window));
  }
}

}  // namespace
