#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "tests/fuzz/fuzz_slot.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/guarded_heap.h"

namespace {

// Enough for the first breaks of a run to be read; the rest are counted.
constexpr uint64_t kPrintedBreaks = 8;
constexpr uint64_t kDumpedBreaks = 32;

std::vector<const GuardedBuffer*>& Guards() {
  static std::vector<const GuardedBuffer*> guards;
  return guards;
}

}  // namespace

FuzzCase::FuzzCase(const char* target, uint64_t index, uint64_t seed, uint32_t targetNumber, FuzzSlot* slot,
                   const char* dumpFolder)
    : target_(target),
      index_(index),
      random_(FuzzRandom::ForCase(seed, targetNumber, index)),
      slot_(slot),
      dumpFolder_(dumpFolder) {}

void FuzzCase::RecordInput(const void* bytes, size_t size) {
  if (size > FuzzSlot::kInputCapacity) size = FuzzSlot::kInputCapacity;
  if (size) std::memcpy(slot_->input, bytes, size);
  slot_->inputLength = static_cast<uint32_t>(size);
}

void FuzzCase::Break(const char* format, ...) {
  if (broken_) return;  // one break per case is enough to look at it
  broken_ = true;
  const uint64_t count = ++slot_->breaks;
  if (count <= kPrintedBreaks) {
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof(text), format, arguments);
    va_end(arguments);
    std::printf("BREAK %s case %llu: %s\n", target_, static_cast<unsigned long long>(index_), text);
  }
  if (count <= kDumpedBreaks) {
    DumpFuzzInput(dumpFolder_, "break", target_, index_, slot_->input, slot_->inputLength);
  }
}

void RegisterFuzzGuard(const GuardedBuffer* buffer) { Guards().push_back(buffer); }

bool MakeFuzzGuard(GuardedBuffer** buffer, size_t size) {
  *buffer = new GuardedBuffer(size);
  RegisterFuzzGuard(*buffer);
  return (*buffer)->ok();
}

bool IsFuzzGuard(const void* address) {
  if (GuardedHeapIsGuard(address)) return true;
  for (const GuardedBuffer* buffer : Guards()) {
    if (buffer->IsGuard(address)) return true;
  }
  return false;
}

bool DumpFuzzInput(const char* folder, const char* kind, const char* target, uint64_t index,
                   const void* bytes, size_t size) {
  char path[MAX_PATH];
  std::snprintf(path, sizeof(path), "%s\\%s-%s-%llu.bin", folder, kind, target,
                static_cast<unsigned long long>(index));
  FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}
