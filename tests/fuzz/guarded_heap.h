#pragma once

#include <cstddef>

#include "handles/non_copyable.h"

// While a GuardedHeapScope lives, operator new serves each block at the very
// end of its own committed pages, followed by a no-access page, so that the
// strings and buffers the product makes from an input fault on the first
// byte read past them. Blocks too large, or more at once than there are
// slots, come from the ordinary heap.
class GuardedHeapScope : NonCopyable {
 public:
  GuardedHeapScope();
  ~GuardedHeapScope();
};

// Reserves the slots; without it the scope changes nothing.
bool GuardedHeapInit();
bool GuardedHeapIsGuard(const void* address);
