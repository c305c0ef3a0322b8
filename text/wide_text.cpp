#include "text/wide_text.h"

#include <windows.h>

namespace {

const UINT kCp932 = 932;

}  // namespace

std::wstring WideFromCp932(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length = static_cast<int>(text.size());
  const int size = ::MultiByteToWideChar(kCp932, 0, text.data(), length, nullptr, 0);
  if (size <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(kCp932, 0, text.data(), length, &wide[0], size);
  return wide;
}

std::wstring WideFromCp932(const char* text) {
  return text ? WideFromCp932(std::string(text)) : std::wstring();
}

std::string Cp932FromWide(const wchar_t* text, size_t length) {
  if (!text || length == 0) return std::string();
  const int units = static_cast<int>(length);
  const int size = ::WideCharToMultiByte(kCp932, 0, text, units, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string narrow(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(kCp932, 0, text, units, &narrow[0], size, nullptr, nullptr);
  return narrow;
}

std::string Cp932FromWide(const std::wstring& text) { return Cp932FromWide(text.data(), text.size()); }
