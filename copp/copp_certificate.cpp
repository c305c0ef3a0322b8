#include <cstring>

#include "copp/copp_session.h"

bool FindCertificateElement(const BYTE* data, size_t length, const char* openTag, const char* closeTag,
                            size_t* valueOffset, size_t* valueLength) {
  if (!data || !openTag || !closeTag || !valueOffset || !valueLength) return false;
  const size_t openLength = strlen(openTag);
  const size_t closeLength = strlen(closeTag);
  if (openLength == 0 || openLength > length) return false;
  for (size_t i = 0; i + openLength <= length; ++i) {
    if (memcmp(data + i, openTag, openLength) != 0) continue;
    const size_t start = i + openLength;
    // The closing tag must end before the last byte, so it is sought only
    // while start + k < length - closeLength; written without unsigned wrap.
    for (size_t k = 0; closeLength < length && start + k < length - closeLength; ++k) {
      if (memcmp(data + start + k, closeTag, closeLength) == 0) {
        *valueOffset = start;
        *valueLength = k;
        return true;
      }
    }
    return false;  // only the first opening tag counts
  }
  return false;
}
