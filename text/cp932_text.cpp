#include "text/cp932_text.h"

#include <cstring>

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

size_t FindLastBackslash(const std::string& text) {
  size_t found = std::string::npos;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(text[i]);
    if (IsCp932LeadByte(byte) && i + 1 < text.size()) {
      ++i;
      continue;
    }
    if (byte == '\\') found = i;
  }
  return found;
}

std::string CutAtLastBackslash(const std::string& path) {
  const size_t cut = FindLastBackslash(path);
  return cut == std::string::npos ? path : path.substr(0, cut);
}

void CopyCp932Bounded(char* dest, size_t capacity, const char* source) {
  if (capacity == 0) return;
  size_t used = 0;
  const size_t length = source ? std::strlen(source) : 0;
  while (used < length) {
    const unsigned char byte = static_cast<unsigned char>(source[used]);
    const size_t width = (IsCp932LeadByte(byte) && used + 1 < length) ? 2 : 1;
    if (used + width > capacity - 1) break;
    used += width;
  }
  if (used) std::memcpy(dest, source, used);
  dest[used] = '\0';
}
