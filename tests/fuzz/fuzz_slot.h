#pragma once

#include <windows.h>

#include <cstdint>

// What a child process shares with the supervisor: the case it is on, with
// that case's input bytes written before the target sees them, so that a
// child that dies on a fault still leaves both behind.
struct FuzzSlot {
  enum State : LONG { kRunning = 1, kDone = 2, kFaulted = 3 };
  static constexpr uint32_t kInputCapacity = 256 * 1024;

  volatile LONG state;
  uint64_t caseIndex;  // the case now running
  uint64_t nextCase;   // the first case not yet finished
  uint64_t breaks;     // cases whose invariant broke, all children of the target
  uint64_t faultAddress;
  uint32_t faultCode;
  uint32_t faultAccess;  // 0 read, 1 write, 8 execute
  uint32_t faultInGuard;
  uint32_t inputLength;
  uint8_t input[kInputCapacity];
};

// The named mapping that holds the slot; the supervisor creates it, a child opens it.
class FuzzSlotMapping {
 public:
  FuzzSlotMapping(const char* name, bool create);
  ~FuzzSlotMapping();
  FuzzSlotMapping(const FuzzSlotMapping&) = delete;
  FuzzSlotMapping& operator=(const FuzzSlotMapping&) = delete;

  FuzzSlot* get() const { return slot_; }

 private:
  HANDLE mapping_ = nullptr;
  FuzzSlot* slot_ = nullptr;
};
