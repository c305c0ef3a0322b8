#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_random.h"

using FuzzBytes = std::vector<uint8_t>;

// A 32-bit value near the edges where length and count checks go wrong:
// 0, 1, powers of two and their neighbours, the sign bit, all ones, and
// `near` give or take a few.
uint32_t EdgeValue(FuzzRandom& random, uint32_t near);

// Applies `rounds` random edits: bit flips, edge bytes and words, inserted,
// erased, repeated and swapped runs, and the given tokens spliced in.
void MutateBytes(FuzzBytes* data, FuzzRandom& random, const std::vector<std::string>& tokens, int rounds,
                 size_t maxSize);

FuzzBytes RandomBytes(FuzzRandom& random, size_t maxSize);

void PutLe16(FuzzBytes* data, size_t at, uint16_t value);
void PutLe32(FuzzBytes* data, size_t at, uint32_t value);
uint16_t GetLe16(const FuzzBytes& data, size_t at);
uint32_t GetLe32(const FuzzBytes& data, size_t at);
