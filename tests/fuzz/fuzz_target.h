#pragma once

#include <cstddef>
#include <cstdint>

#include "tests/fuzz/fuzz_random.h"
#include "tests/support/guarded_buffer.h"

struct FuzzSlot;

// One case as a target sees it: its generator, the side of the guard page
// its inputs go against, and where it leaves its input and its verdict.
class FuzzCase {
 public:
  FuzzCase(const char* target, uint64_t index, uint64_t seed, uint32_t targetNumber, FuzzSlot* slot,
           const char* dumpFolder);

  uint64_t index() const { return index_; }
  FuzzRandom& random() { return random_; }
  // Even cases go against the page after the input, odd ones against the page before it.
  GuardedBuffer::Placement placement() const {
    return index_ % 2 ? GuardedBuffer::kAtStart : GuardedBuffer::kAtEnd;
  }

  // The case's whole input as the target serialises it; written to the slot
  // before the target runs the product on it, and dumped on a fault or break.
  void RecordInput(const void* bytes, size_t size);
  // A broken invariant: printed (the first few), dumped, counted.
  void Break(const char* format, ...) __attribute__((format(printf, 2, 3)));
  bool broken() const { return broken_; }

 private:
  const char* target_;
  uint64_t index_;
  FuzzRandom random_;
  FuzzSlot* slot_;
  const char* dumpFolder_;
  bool broken_ = false;
};

struct FuzzTarget {
  const char* name;
  // Once per child process, before its first case; false ends the child.
  bool (*setUp)();
  void (*run)(FuzzCase& fuzzCase);
  void (*tearDown)();  // null when there is nothing to undo
};

extern const FuzzTarget kCertificateTarget;
extern const FuzzTarget kStatusTarget;
extern const FuzzTarget kWmiTextTarget;
extern const FuzzTarget kPciIdsTarget;
extern const FuzzTarget kRegistryMemoryTarget;
extern const FuzzTarget kDibTarget;
extern const FuzzTarget kVersionBlockTarget;
// Faults on purpose; run only by --selftest.
extern const FuzzTarget kGuardCheckTarget;

// Every target in the order of a full run, then kGuardCheckTarget.
const FuzzTarget* const* AllFuzzTargets(size_t* count);
// How many of them a full run takes.
size_t FullRunTargetCount();

// Guard pages the fault handler counts as ours besides the guarded heap's.
void RegisterFuzzGuard(const GuardedBuffer* buffer);
// Makes `*buffer`, `size` bytes between guard pages for the rest of the
// child, and registers it; false when it could not be made.
bool MakeFuzzGuard(GuardedBuffer** buffer, size_t size);
bool IsFuzzGuard(const void* address);

// Writes `size` bytes to "<folder>\<kind>-<target>-<case>.bin"; false when it cannot.
bool DumpFuzzInput(const char* folder, const char* kind, const char* target, uint64_t index,
                   const void* bytes, size_t size);
