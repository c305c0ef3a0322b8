#include "tests/support/guarded_buffer.h"

#include <cstdint>
#include <cstring>

size_t GuardedBuffer::PageSize() {
  SYSTEM_INFO info = {};
  GetSystemInfo(&info);
  return info.dwPageSize;
}

GuardedBuffer::GuardedBuffer(size_t capacity) : pageSize_(PageSize()) {
  const size_t pages = capacity == 0 ? 1 : (capacity + pageSize_ - 1) / pageSize_;
  capacity_ = pages * pageSize_;
  void* region = VirtualAlloc(nullptr, capacity_ + 2 * pageSize_, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS);
  if (!region) return;
  DWORD previous = 0;
  if (!VirtualProtect(static_cast<BYTE*>(region) + pageSize_, capacity_, PAGE_READWRITE, &previous)) {
    VirtualFree(region, 0, MEM_RELEASE);
    return;
  }
  base_ = static_cast<BYTE*>(region);
  data_ = base_ + pageSize_ + capacity_;
}

GuardedBuffer::~GuardedBuffer() {
  if (base_) VirtualFree(base_, 0, MEM_RELEASE);
}

BYTE* GuardedBuffer::Place(const void* bytes, size_t size, Placement placement) {
  if (!base_ || size > capacity_ || (size && !bytes)) return nullptr;
  BYTE* first = base_ + pageSize_;
  data_ = placement == kAtStart ? first : first + capacity_ - size;
  size_ = size;
  if (size) std::memcpy(data_, bytes, size);
  return data_;
}

bool GuardedBuffer::IsGuard(const void* address) const {
  if (!base_) return false;
  const auto at = reinterpret_cast<uintptr_t>(address);
  const auto start = reinterpret_cast<uintptr_t>(base_);
  const uintptr_t trailing = start + pageSize_ + capacity_;
  return (at >= start && at < start + pageSize_) || (at >= trailing && at < trailing + pageSize_);
}
