#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_options.h"
#include "tests/fuzz/fuzz_slot.h"
#include "tests/fuzz/fuzz_target.h"

namespace {

// A target that faults this often has a fault worth fixing before more runs.
constexpr uint64_t kFaultLimit = 25;
constexpr uint64_t kNoCase = ~0ull;

struct Tally {
  uint64_t cases = 0;
  uint64_t faults = 0;
  uint64_t guardFaults = 0;  // those that hit a guard page
  uint64_t breaks = 0;
  double seconds = 0;
  bool stopped = false;
  bool setUpFailed = false;
};

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string SelfPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof(path));
  return path;
}

bool RunChild(std::string commandLine, DWORD* exitCode) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  GetExitCodeProcess(process.hProcess, exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

const char* AccessName(uint32_t access) {
  return access == 0 ? "read" : access == 1 ? "write" : access == 8 ? "execute" : "access";
}

void ReportFault(const FuzzTarget& target, const FuzzOptions& options, const FuzzSlot& slot, DWORD exitCode) {
  const bool recorded = slot.state == FuzzSlot::kFaulted;
  const bool dumped =
      DumpFuzzInput(options.out.c_str(), "fault", target.name, slot.caseIndex, slot.input, slot.inputLength);
  std::printf("FAULT %s case %llu: ", target.name, static_cast<unsigned long long>(slot.caseIndex));
  if (recorded) {
    std::printf("%s at 0x%llx, %s (exception 0x%08lx)", AccessName(slot.faultAccess),
                static_cast<unsigned long long>(slot.faultAddress),
                slot.faultInGuard ? "in a guard page" : "outside the guard pages",
                static_cast<unsigned long>(slot.faultCode));
  } else {
    std::printf("the child ended with 0x%08lx", static_cast<unsigned long>(exitCode));
  }
  std::printf("; input %u bytes%s; again: --target %s --seed %llu --first %llu --cases 1\n", slot.inputLength,
              dumped ? " dumped" : " (not dumped)", target.name,
              static_cast<unsigned long long>(options.seed), static_cast<unsigned long long>(slot.caseIndex));
}

Tally RunTarget(const FuzzTarget& target, const FuzzOptions& options, FuzzSlot* slot,
                const std::string& slotName) {
  Tally tally;
  const double start = Now();
  std::memset(slot, 0, sizeof(*slot));
  const uint64_t end = options.first + options.cases;
  uint64_t next = options.first;
  while (next < end) {
    slot->state = FuzzSlot::kRunning;
    slot->caseIndex = kNoCase;
    slot->nextCase = next;
    char numbers[160];
    std::snprintf(numbers, sizeof(numbers), " --seed %llu --first %llu --cases %llu",
                  static_cast<unsigned long long>(options.seed), static_cast<unsigned long long>(next),
                  static_cast<unsigned long long>(end - next));
    const std::string commandLine = "\"" + SelfPath() + "\" --child --slot " + slotName + " --target " +
                                    target.name + numbers + " --out \"" + options.out + "\"";
    DWORD exitCode = 0;
    if (!RunChild(commandLine, &exitCode)) {
      tally.setUpFailed = true;
      break;
    }
    if (exitCode == 0 && slot->state == FuzzSlot::kDone) {
      next = end;
      break;
    }
    if (slot->caseIndex == kNoCase) {  // it never reached a case
      std::printf("ERROR %s: the child could not start its cases (exit 0x%lx)\n", target.name,
                  static_cast<unsigned long>(exitCode));
      tally.setUpFailed = true;
      break;
    }
    ReportFault(target, options, *slot, exitCode);
    ++tally.faults;
    if (slot->state == FuzzSlot::kFaulted && slot->faultInGuard) ++tally.guardFaults;
    next = slot->caseIndex + 1;
    if (tally.faults >= kFaultLimit) {
      tally.stopped = true;
      break;
    }
  }
  tally.cases = next - options.first;
  tally.breaks = slot->breaks;
  tally.seconds = Now() - start;
  return tally;
}

// Every read of the guard check must come back as a fault in a guard page,
// or the other targets' clean runs prove nothing.
int RunSelfTest(FuzzOptions options, FuzzSlot* slot, const std::string& slotName) {
  options.first = 0;
  options.cases = 3;
  const Tally tally = RunTarget(kGuardCheckTarget, options, slot, slotName);
  const bool caught = tally.cases == 3 && tally.faults == 3 && tally.guardFaults == 3 && tally.breaks == 0;
  std::printf("selftest: %llu of 3 reads outside an input faulted in a guard page: %s\n",
              static_cast<unsigned long long>(tally.guardFaults), caught ? "passed" : "FAILED");
  return caught ? 0 : 1;
}

}  // namespace

int RunFuzzSupervisor(const FuzzOptions& options) {
  size_t count = 0;
  const FuzzTarget* const* targets = AllFuzzTargets(&count);
  std::vector<const FuzzTarget*> chosen;
  for (size_t i = 0; i < count; ++i) {
    const bool inFullRun = i < FullRunTargetCount();
    if ((options.target == "all" && inFullRun) || options.target == targets[i]->name)
      chosen.push_back(targets[i]);
  }
  if (chosen.empty() && !options.selfTest) {
    std::fprintf(stderr, "solario_fuzz: no target %s; the targets are:", options.target.c_str());
    for (size_t i = 0; i < count; ++i) std::fprintf(stderr, " %s", targets[i]->name);
    std::fprintf(stderr, "\n");
    return 2;
  }
  const std::string slotName = "Local\\SolarioFuzz." + std::to_string(GetCurrentProcessId());
  FuzzSlotMapping mapping(slotName.c_str(), true);
  if (!mapping.get()) {
    std::fprintf(stderr, "solario_fuzz: cannot create %s\n", slotName.c_str());
    return 2;
  }
  if (options.selfTest) return RunSelfTest(options, mapping.get(), slotName);
  std::printf("solario_fuzz: seed %llu, cases %llu from %llu\n",
              static_cast<unsigned long long>(options.seed), static_cast<unsigned long long>(options.cases),
              static_cast<unsigned long long>(options.first));
  // One row per target as it ends, so a long run shows where it is.
  std::printf("%-16s %10s %7s %7s %9s\n", "target", "cases", "faults", "breaks", "seconds");
  bool clean = true;
  for (const FuzzTarget* target : chosen) {
    const Tally t = RunTarget(*target, options, mapping.get(), slotName);
    if (t.faults || t.breaks || t.setUpFailed || t.stopped) clean = false;
    std::printf("%-16s %10llu %7llu %7llu %9.1f%s\n", target->name, static_cast<unsigned long long>(t.cases),
                static_cast<unsigned long long>(t.faults), static_cast<unsigned long long>(t.breaks),
                t.seconds,
                t.setUpFailed ? "  set-up failed"
                : t.stopped   ? "  stopped at the fault limit"
                              : "");
  }
  return clean ? 0 : 1;
}
