#include "simdriver/sim_base64.h"

std::string SimBase64(const BYTE* bytes, size_t length) {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  for (size_t i = 0; i < length; i += 3) {
    const size_t n = length - i < 3 ? length - i : 3;
    unsigned v = bytes[i] << 16;
    if (n > 1) v |= bytes[i + 1] << 8;
    if (n > 2) v |= bytes[i + 2];
    text += kAlphabet[(v >> 18) & 63];
    text += kAlphabet[(v >> 12) & 63];
    text += n > 1 ? kAlphabet[(v >> 6) & 63] : '=';
    text += n > 2 ? kAlphabet[v & 63] : '=';
  }
  return text;
}
