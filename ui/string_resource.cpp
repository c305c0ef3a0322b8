#include "ui/string_resource.h"

#include <windows.h>

#include "winfw/win_app.h"

std::string LoadStringResource(unsigned int id) {
  // The longest entries are a few hundred bytes; 4096 leaves room to spare.
  char text[4096];
  const int length = ::LoadStringA(AfxGetInstanceHandle(), id, text, sizeof(text));
  return length > 0 ? std::string(text, static_cast<size_t>(length)) : std::string();
}
