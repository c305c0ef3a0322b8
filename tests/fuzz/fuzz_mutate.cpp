#include "tests/fuzz/fuzz_mutate.h"

#include <algorithm>

uint32_t EdgeValue(FuzzRandom& random, uint32_t near) {
  switch (random.Below(6)) {
    case 0:
      return static_cast<uint32_t>(static_cast<int64_t>(near) + random.Between(-4, 4));
    case 1: {
      const uint32_t power = 1u << random.Below(32);
      return power + static_cast<uint32_t>(random.Between(-1, 1));
    }
    case 2: {
      const uint32_t edges[] = {0,      1,      0x7F,    0x80,       0xFF,        0x100,       0x7FFF,
                                0x8000, 0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu, 0xFFFFFFFEu};
      return edges[random.Below(sizeof(edges) / sizeof(edges[0]))];
    }
    case 3:
      return random.Below(64);
    case 4:
      return 0x80000000u | random.Below(0x1000);
    default:
      return static_cast<uint32_t>(random.Next());
  }
}

void MutateBytes(FuzzBytes* data, FuzzRandom& random, const std::vector<std::string>& tokens, int rounds,
                 size_t maxSize) {
  FuzzBytes& d = *data;
  for (int round = 0; round < rounds; ++round) {
    const size_t size = d.size();
    const size_t at = size ? random.Below(static_cast<uint32_t>(size)) : 0;
    switch (random.Below(10)) {
      case 0:
        if (size) d[at] ^= static_cast<uint8_t>(1u << random.Below(8));
        break;
      case 1:
        if (size) d[at] = static_cast<uint8_t>(EdgeValue(random, d[at]));
        break;
      case 2:
        if (size >= 2) PutLe16(data, std::min(at, size - 2), static_cast<uint16_t>(EdgeValue(random, 0)));
        break;
      case 3:
        if (size >= 4) {
          const size_t where = std::min(at, size - 4);
          PutLe32(data, where, EdgeValue(random, GetLe32(d, where)));
        }
        break;
      case 4: {  // erase a run
        const size_t count = std::min<size_t>(size - at, 1 + random.Below(16));
        if (size) d.erase(d.begin() + at, d.begin() + at + count);
        break;
      }
      case 5: {  // insert random bytes
        FuzzBytes extra(1 + random.Below(8));
        random.Fill(extra.data(), extra.size());
        d.insert(d.begin() + at, extra.begin(), extra.end());
        break;
      }
      case 6:
        if (!tokens.empty()) {
          const std::string& token = tokens[random.Below(static_cast<uint32_t>(tokens.size()))];
          if (random.OneIn(2) && at + token.size() <= size) {
            std::copy(token.begin(), token.end(), d.begin() + at);
          } else {
            d.insert(d.begin() + at, token.begin(), token.end());
          }
        }
        break;
      case 7:  // cut the end off
        if (size) d.resize(random.Below(static_cast<uint32_t>(size)));
        break;
      case 8: {  // repeat a run
        const size_t count = std::min<size_t>(size - at, 1 + random.Below(32));
        if (size) {
          const FuzzBytes run(d.begin() + at, d.begin() + at + count);
          d.insert(d.begin() + at, run.begin(), run.end());
        }
        break;
      }
      default:
        if (size >= 2) std::swap(d[at], d[random.Below(static_cast<uint32_t>(size))]);
        break;
    }
    if (d.size() > maxSize) d.resize(maxSize);
  }
}

FuzzBytes RandomBytes(FuzzRandom& random, size_t maxSize) {
  FuzzBytes bytes(random.Below(static_cast<uint32_t>(maxSize + 1)));
  random.Fill(bytes.data(), bytes.size());
  return bytes;
}

void PutLe16(FuzzBytes* data, size_t at, uint16_t value) {
  (*data)[at] = static_cast<uint8_t>(value);
  (*data)[at + 1] = static_cast<uint8_t>(value >> 8);
}

void PutLe32(FuzzBytes* data, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) (*data)[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint16_t GetLe16(const FuzzBytes& data, size_t at) {
  return static_cast<uint16_t>(data[at] | data[at + 1] << 8);
}

uint32_t GetLe32(const FuzzBytes& data, size_t at) {
  return static_cast<uint32_t>(data[at]) | static_cast<uint32_t>(data[at + 1]) << 8 |
         static_cast<uint32_t>(data[at + 2]) << 16 | static_cast<uint32_t>(data[at + 3]) << 24;
}
