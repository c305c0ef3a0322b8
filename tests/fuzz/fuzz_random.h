#pragma once

#include <cstddef>
#include <cstdint>

// A small generator whose whole state is one number, so that case n of a run
// is drawn the same in whichever process runs it.
class FuzzRandom {
 public:
  explicit FuzzRandom(uint64_t seed) : state_(seed) {}
  // The generator of one case of one target of a seeded run.
  static FuzzRandom ForCase(uint64_t seed, uint32_t target, uint64_t caseIndex);

  uint64_t Next();
  // Uniform below `bound`; 0 for a bound of 0.
  uint32_t Below(uint32_t bound) { return bound ? static_cast<uint32_t>(Next() % bound) : 0; }
  // Uniform in [low, high].
  int64_t Between(int64_t low, int64_t high);
  bool OneIn(uint32_t n) { return Below(n) == 0; }
  uint8_t Byte() { return static_cast<uint8_t>(Next()); }
  void Fill(void* bytes, size_t size);

 private:
  uint64_t state_;
};
