#include <string>

#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/guarded_heap.h"

namespace {

// Reads that must fault, one per case, so a run can show that a read one
// byte outside an input is caught, wherever the input lies.
GuardedBuffer* g_buffer = nullptr;
volatile unsigned char g_sink = 0;

bool SetUp() { return MakeFuzzGuard(&g_buffer, 64); }

void Run(FuzzCase& fuzzCase) {
  const unsigned char input[5] = {'i', 'n', 'p', 'u', 't'};
  fuzzCase.RecordInput(input, sizeof(input));
  switch (fuzzCase.index() % 3) {
    case 0:
      g_sink = g_buffer->Place(input, sizeof(input), GuardedBuffer::kAtEnd)[sizeof(input)];
      break;
    case 1:
      g_sink = *(g_buffer->Place(input, sizeof(input), GuardedBuffer::kAtStart) - 1);
      break;
    default: {
      GuardedHeapScope heap;
      const std::string text(40, 'x');  // past the inline buffer: on the heap
      g_sink = static_cast<unsigned char>(text.data()[text.size() + 1]);
      break;
    }
  }
  fuzzCase.Break("a read outside the input did not fault");
}

}  // namespace

const FuzzTarget kGuardCheckTarget = {"guard_check", SetUp, Run, nullptr};
