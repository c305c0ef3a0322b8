#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "tests/fuzz/fuzz_options.h"
#include "tests/fuzz/fuzz_slot.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/guarded_heap.h"

namespace {

FuzzSlot* g_slot = nullptr;

// A fault leaves the process in no state to go on: locks may be held and the
// stack half unwound. The slot keeps the case and the process ends here; the
// supervisor starts a fresh one at the next case.
void RecordFaultAndEnd(const EXCEPTION_RECORD* record, bool inGuard) {
  g_slot->faultCode = record->ExceptionCode;
  const bool hasAddress =
      record->ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record->NumberParameters >= 2;
  g_slot->faultAccess = hasAddress ? static_cast<uint32_t>(record->ExceptionInformation[0]) : 0;
  g_slot->faultAddress = hasAddress ? static_cast<uint64_t>(record->ExceptionInformation[1])
                                    : reinterpret_cast<uintptr_t>(record->ExceptionAddress);
  g_slot->faultInGuard = inGuard ? 1 : 0;
  InterlockedExchange(&g_slot->state, FuzzSlot::kFaulted);
  TerminateProcess(GetCurrentProcess(), kFuzzFaultExit);
}

// First chance, before any handler of the platform: some platform functions
// catch page faults themselves and would hide an over-read into our guard.
LONG CALLBACK OnFirstChance(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
  if (record->ExceptionCode != EXCEPTION_ACCESS_VIOLATION || record->NumberParameters < 2) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  if (IsFuzzGuard(reinterpret_cast<const void*>(record->ExceptionInformation[1]))) {
    RecordFaultAndEnd(record, true);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

LONG WINAPI OnUnhandled(EXCEPTION_POINTERS* pointers) {
  RecordFaultAndEnd(pointers->ExceptionRecord, false);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int RunFuzzChild(const FuzzOptions& options) {
  FuzzSlotMapping mapping(options.slot.c_str(), false);
  g_slot = mapping.get();
  if (!g_slot) {
    std::fprintf(stderr, "solario_fuzz: no slot %s\n", options.slot.c_str());
    return 3;
  }
  size_t count = 0;
  const FuzzTarget* const* targets = AllFuzzTargets(&count);
  const FuzzTarget* target = nullptr;
  uint32_t number = 0;
  for (size_t i = 0; i < count; ++i) {
    if (options.target == targets[i]->name) {
      target = targets[i];
      number = static_cast<uint32_t>(i);
    }
  }
  if (!target) return 3;

  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  AddVectoredExceptionHandler(1, OnFirstChance);
  SetUnhandledExceptionFilter(OnUnhandled);
  if (!GuardedHeapInit() || !target->setUp()) {
    std::fprintf(stderr, "solario_fuzz: %s could not be set up\n", target->name);
    return 4;
  }
  for (uint64_t i = options.first; i < options.first + options.cases; ++i) {
    g_slot->inputLength = 0;
    g_slot->caseIndex = i;
    FuzzCase fuzzCase(target->name, i, options.seed, number, g_slot, options.out.c_str());
    target->run(fuzzCase);
    g_slot->nextCase = i + 1;
  }
  if (target->tearDown) target->tearDown();
  InterlockedExchange(&g_slot->state, FuzzSlot::kDone);
  return 0;
}
