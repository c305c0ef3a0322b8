#pragma once

#include <windows.h>

#include <cstddef>

// Room for bytes that touch a no-access page on either side, so that a read
// or write one byte past their end (placed at the end) or one byte before
// their start (placed at the start) faults at that very byte. The pages are
// committed once; placing new bytes costs one copy and no system call.
class GuardedBuffer {
 public:
  enum Placement { kAtEnd, kAtStart };

  explicit GuardedBuffer(size_t capacity);
  ~GuardedBuffer();
  GuardedBuffer(const GuardedBuffer&) = delete;
  GuardedBuffer& operator=(const GuardedBuffer&) = delete;

  // Copies `size` bytes in against the chosen guard page and returns where
  // they start; null when they exceed the capacity. The bytes stay writable.
  BYTE* Place(const void* bytes, size_t size, Placement placement = kAtEnd);

  bool ok() const { return base_ != nullptr; }
  BYTE* data() const { return data_; }
  size_t size() const { return size_; }
  size_t capacity() const { return capacity_; }
  // Whether the address lies in one of the two no-access pages.
  bool IsGuard(const void* address) const;

  static size_t PageSize();

 private:
  BYTE* base_ = nullptr;  // the leading no-access page
  size_t pageSize_ = 0;
  size_t capacity_ = 0;  // whole pages between the guards
  BYTE* data_ = nullptr;
  size_t size_ = 0;
};
