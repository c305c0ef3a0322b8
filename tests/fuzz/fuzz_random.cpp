#include "tests/fuzz/fuzz_random.h"

#include <cstring>

namespace {

uint64_t Mix(uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

FuzzRandom FuzzRandom::ForCase(uint64_t seed, uint32_t target, uint64_t caseIndex) {
  return FuzzRandom(Mix(Mix(seed) ^ Mix(0x9E3779B97F4A7C15ull * (target + 1)) ^ Mix(caseIndex + 0x51)));
}

uint64_t FuzzRandom::Next() {
  state_ += 0x9E3779B97F4A7C15ull;
  return Mix(state_);
}

int64_t FuzzRandom::Between(int64_t low, int64_t high) {
  if (high <= low) return low;
  const uint64_t span = static_cast<uint64_t>(high - low) + 1;
  return low + static_cast<int64_t>(span ? Next() % span : Next());
}

void FuzzRandom::Fill(void* bytes, size_t size) {
  auto* out = static_cast<uint8_t*>(bytes);
  while (size >= 8) {
    const uint64_t word = Next();
    std::memcpy(out, &word, 8);
    out += 8;
    size -= 8;
  }
  if (size) {
    const uint64_t word = Next();
    std::memcpy(out, &word, size);
  }
}
