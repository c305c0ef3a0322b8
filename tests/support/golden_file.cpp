#include "tests/support/golden_file.h"

#include <windows.h>

#include <cstdio>

namespace {

std::string ReadUtf8(const std::string& name) {
  const std::string path = std::string(TEST_GOLDEN_DIR) + "/" + name;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<no golden file " + path + ">";
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  std::string text;
  for (char c : bytes) {
    if (c != '\r') text += c;
  }
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

std::wstring WideFromUtf8(const std::string& text) {
  if (text.empty()) return std::wstring();
  std::wstring wide(text.size(), L'\0');
  const int length =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), &wide[0],
                          static_cast<int>(wide.size()));
  wide.resize(length > 0 ? length : 0);
  return length > 0 ? wide : L"<golden file is not UTF-8>";
}

// A character code page 932 lacks must not turn into a '?' that a test then expects.
std::string Cp932FromUtf8(const std::string& text) {
  const std::wstring wide = WideFromUtf8(text);
  return Cp932MarkingLoss(wide.c_str());
}

}  // namespace

std::string Cp932MarkingLoss(const wchar_t* text) {
  const int size = WideCharToMultiByte(932, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return std::string();
  std::string out(size, '\0');
  BOOL lossy = FALSE;
  WideCharToMultiByte(932, 0, text, -1, &out[0], size, nullptr, &lossy);
  out.resize(size - 1);
  return lossy ? "<not code page 932: " + out + ">" : out;
}

std::string GoldenText(const std::string& name, const std::map<std::string, std::string>& values) {
  const std::string text = ReadUtf8(name);
  // Split in UTF-8, where '{' is never part of another character; in code
  // page 932 it can be a trail byte.
  std::string out;
  size_t from = 0;
  for (size_t open = text.find('{'); open != std::string::npos; open = text.find('{', open + 1)) {
    const size_t close = text.find('}', open);
    if (close == std::string::npos) break;
    const auto value = values.find(text.substr(open + 1, close - open - 1));
    if (value == values.end()) continue;
    out += Cp932FromUtf8(text.substr(from, open - from)) + value->second;
    from = close + 1;
    open = close;
  }
  out += Cp932FromUtf8(text.substr(from));
  std::string crlf;
  for (char c : out) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return crlf;
}

std::vector<std::string> GoldenLines(const std::string& name) {
  const std::string text = GoldenText(name);
  std::vector<std::string> lines;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    if (text.compare(start, 1, "#") != 0) lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::map<std::string, GoldenRect> GoldenRects(const std::string& name) {
  std::map<std::string, GoldenRect> rects;
  for (const std::string& line : GoldenLines(name)) {
    char key[32];
    GoldenRect rect = {};
    if (sscanf(line.c_str(), "%31s %d %d %d %d", key, &rect.x, &rect.y, &rect.width, &rect.height) == 5) {
      rects[key] = rect;
    }
  }
  return rects;
}
