#include "ui/string_resource.h"

std::string LoadStringResource(HINSTANCE module, unsigned int id) {
  // The longest entry (206) is 431 bytes; 4096 leaves room to spare.
  char text[4096];
  const int length = ::LoadStringA(module, id, text, sizeof(text));
  return length > 0 ? std::string(text, static_cast<size_t>(length)) : std::string();
}
