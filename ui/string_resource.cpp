#include "ui/string_resource.h"

#include "text/wide_text.h"

std::string LoadStringResource(HINSTANCE module, unsigned int id) {
  // With no buffer the platform hands out the table's own UTF-16 text; the
  // ANSI form would decode it in the system's code page, not in 932.
  const wchar_t* text = nullptr;
  const int length = ::LoadStringW(module, id, reinterpret_cast<wchar_t*>(&text), 0);
  return length > 0 && text ? Cp932FromWide(text, static_cast<size_t>(length)) : std::string();
}
