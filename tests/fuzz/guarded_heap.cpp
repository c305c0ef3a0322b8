#include "tests/fuzz/guarded_heap.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <new>

#include "tests/support/guarded_buffer.h"

namespace {

constexpr size_t kSlots = 128;
constexpr size_t kSlotPages = 16;

struct Heap {
  BYTE* base = nullptr;
  size_t pageSize = 0;
  size_t stride = 0;  // committed pages and their guard page
  size_t slotBytes = 0;
  size_t free[kSlots];
  size_t freeCount = 0;
  volatile LONG lock = 0;
  volatile LONG active = 0;
};

// Plain storage, not an object with a constructor: operator new may run
// before any constructor of this file has.
Heap g_heap;

class SpinLock {
 public:
  SpinLock() {
    while (InterlockedExchange(&g_heap.lock, 1)) Sleep(0);
  }
  ~SpinLock() { InterlockedExchange(&g_heap.lock, 0); }
};

bool Owns(const void* block, size_t* slot) {
  if (!g_heap.base) return false;
  const auto at = reinterpret_cast<uintptr_t>(block);
  const auto start = reinterpret_cast<uintptr_t>(g_heap.base);
  if (at < start || at >= start + kSlots * g_heap.stride) return false;
  *slot = (at - start) / g_heap.stride;
  return true;
}

void* Allocate(size_t size) {
  if (g_heap.active && g_heap.base) {
    const size_t bytes = size ? size : 1;
    SpinLock lock;
    if (bytes <= g_heap.slotBytes && g_heap.freeCount) {
      const size_t slot = g_heap.free[--g_heap.freeCount];
      // The block's end touches the guard page; a size that is a multiple of
      // a type's size leaves the block aligned for that type.
      return g_heap.base + slot * g_heap.stride + g_heap.slotBytes - bytes;
    }
  }
  return std::malloc(size ? size : 1);
}

void Release(void* block) {
  if (!block) return;
  size_t slot = 0;
  if (Owns(block, &slot)) {
    SpinLock lock;
    g_heap.free[g_heap.freeCount++] = slot;
    return;
  }
  std::free(block);
}

}  // namespace

bool GuardedHeapInit() {
  if (g_heap.base) return true;
  g_heap.pageSize = GuardedBuffer::PageSize();
  g_heap.slotBytes = kSlotPages * g_heap.pageSize;
  g_heap.stride = g_heap.slotBytes + g_heap.pageSize;
  auto* base = static_cast<BYTE*>(VirtualAlloc(nullptr, kSlots * g_heap.stride, MEM_RESERVE, PAGE_NOACCESS));
  if (!base) return false;
  for (size_t i = 0; i < kSlots; ++i) {
    if (!VirtualAlloc(base + i * g_heap.stride, g_heap.slotBytes, MEM_COMMIT, PAGE_READWRITE)) return false;
    g_heap.free[i] = kSlots - 1 - i;
  }
  g_heap.freeCount = kSlots;
  g_heap.base = base;
  return true;
}

bool GuardedHeapIsGuard(const void* address) {
  size_t slot = 0;
  if (!Owns(address, &slot)) return false;
  const auto offset = reinterpret_cast<uintptr_t>(address) - reinterpret_cast<uintptr_t>(g_heap.base);
  return offset - slot * g_heap.stride >= g_heap.slotBytes;
}

GuardedHeapScope::GuardedHeapScope() { InterlockedIncrement(&g_heap.active); }
GuardedHeapScope::~GuardedHeapScope() { InterlockedDecrement(&g_heap.active); }

void* operator new(size_t size) {
  void* block = Allocate(size);
  if (!block) std::abort();  // nothing throws here, and a fuzz run without memory is over
  return block;
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, size_t) noexcept { Release(block); }
void operator delete[](void* block, size_t) noexcept { Release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Release(block); }
