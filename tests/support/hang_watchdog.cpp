#include "tests/support/hang_watchdog.h"

#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

CRITICAL_SECTION g_runningLock;
std::string g_runningTest;  // "Suite.Name", or empty between tests
DWORD g_runningSince = 0;
DWORD g_mainThread = 0;

class RunningTestListener : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo& info) override {
    EnterCriticalSection(&g_runningLock);
    g_runningTest = std::string(info.test_suite_name()) + "." + info.name();
    g_runningSince = GetTickCount();
    LeaveCriticalSection(&g_runningLock);
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    EnterCriticalSection(&g_runningLock);
    g_runningTest.clear();
    LeaveCriticalSection(&g_runningLock);
  }
};

// Straight to the handle: a hung thread may hold the C runtime's lock on
// stderr.
void Say(const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  const int length = vsnprintf(text, sizeof text, format, args);
  va_end(args);
  DWORD written = 0;
  if (length > 0) {
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), text,
              static_cast<DWORD>(length < static_cast<int>(sizeof text) ? length : sizeof text - 1), &written,
              nullptr);
  }
}

// One "bt <thread>" line per thread of this process: "bt all" would walk
// every process of the prefix and take a minute under load. The debugger
// prints no thread id above a backtrace, so `order` names them.
bool WriteBacktraceCommands(const wchar_t* path, std::string* order) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  FILE* file = _wfopen(path, L"w");
  if (!file) {
    CloseHandle(snapshot);
    return false;
  }
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID != GetCurrentProcessId()) continue;
    fprintf(file, "bt 0x%lx\n", entry.th32ThreadID);
    char name[48];
    snprintf(name, sizeof name, " 0x%lx%s", entry.th32ThreadID,
             entry.th32ThreadID == g_mainThread              ? " (main)"
             : entry.th32ThreadID == GetCurrentThreadId() ? " (watchdog)"
                                                          : "");
    *order += name;
  }
  fclose(file);
  CloseHandle(snapshot);
  return true;
}

// The debugger writes straight into our stderr, so its lines come out in
// order with ours even when the process is stuck under a lock we need.
void DumpAllThreads() {
  wchar_t directory[MAX_PATH - 20];
  wchar_t path[MAX_PATH];
  std::string order;
  const DWORD length = GetTempPathW(MAX_PATH - 20, directory);
  if (length == 0 || length >= MAX_PATH - 20 || !GetTempFileNameW(directory, L"wdg", 0, path) ||
      !WriteBacktraceCommands(path, &order)) {
    Say("[ WATCHDOG ] could not list the threads (error %lu): no backtraces\n", GetLastError());
    return;
  }
  Say("[ WATCHDOG ] threads, in the order of the backtraces:%s\n", order.c_str());
  wchar_t command[MAX_PATH + 64];
  _snwprintf(command, MAX_PATH + 63, L"winedbg --file \"%ls\" %lu", path, GetCurrentProcessId());
  command[MAX_PATH + 63] = L'\0';
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  SetHandleInformation(err, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = err;
  startup.hStdError = err;
  PROCESS_INFORMATION debugger{};
  if (!CreateProcessW(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &debugger)) {
    Say("[ WATCHDOG ] could not start winedbg (error %lu): no backtraces\n", GetLastError());
  } else {
    if (WaitForSingleObject(debugger.hProcess, 60000) != WAIT_OBJECT_0) {
      Say("[ WATCHDOG ] winedbg did not finish within 60 s\n");
    }
    CloseHandle(debugger.hThread);
    CloseHandle(debugger.hProcess);
  }
  DeleteFileW(path);
}

DWORD WINAPI WatchdogMain(void* limitParameter) {
  const auto limit = static_cast<DWORD>(reinterpret_cast<uintptr_t>(limitParameter));
  Sleep(limit * 1000);
  char test[256] = "(none: between tests)";
  DWORD running = 0;
  EnterCriticalSection(&g_runningLock);
  if (!g_runningTest.empty()) {
    snprintf(test, sizeof test, "%s", g_runningTest.c_str());
    running = GetTickCount() - g_runningSince;
  }
  LeaveCriticalSection(&g_runningLock);
  Say("\n[ WATCHDOG ] the test program is still running after %lu s (TEST_WATCHDOG_SECONDS)\n"
      "[ WATCHDOG ] running test: %s, for %lu ms\n"
      "[ WATCHDOG ] backtraces of every thread of process %lu follow\n",
      limit, test, running, GetCurrentProcessId());
  DumpAllThreads();
  Say("[ WATCHDOG ] end of backtraces; ending %s with exit code %d\n", test, kHangExitCode);
  // Not ExitProcess: the hang may hold the loader lock that exiting needs.
  TerminateProcess(GetCurrentProcess(), kHangExitCode);
  return 0;
}

unsigned WatchdogSeconds() {
  const char* text = std::getenv("TEST_WATCHDOG_SECONDS");
  if (!text || !*text) return kDefaultWatchdogSeconds;
  char* end = nullptr;
  const unsigned long seconds = std::strtoul(text, &end, 10);
  if (*end != '\0' || seconds > 24 * 3600) {
    fprintf(stderr, "[ WATCHDOG ] TEST_WATCHDOG_SECONDS=\"%s\" is not whole seconds; using %u\n", text,
            kDefaultWatchdogSeconds);
    return kDefaultWatchdogSeconds;
  }
  return static_cast<unsigned>(seconds);
}

}  // namespace

void StartHangWatchdog(::testing::TestEventListeners& listeners) {
  const unsigned seconds = WatchdogSeconds();
  if (seconds == 0) return;
  InitializeCriticalSection(&g_runningLock);
  g_mainThread = GetCurrentThreadId();
  listeners.Append(new RunningTestListener);
  HANDLE thread = CreateThread(nullptr, 0, &WatchdogMain,
                               reinterpret_cast<void*>(static_cast<uintptr_t>(seconds)), 0, nullptr);
  if (thread) {
    CloseHandle(thread);
  } else {
    fprintf(stderr, "[ WATCHDOG ] could not start (error %lu)\n", GetLastError());
  }
}
