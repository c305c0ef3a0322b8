#include "ui/guide_page.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "text/wide_text.h"

std::wstring ProgramFolder(size_t bufferSize) {
  std::vector<wchar_t> path(bufferSize + 1, L'\0');
  const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(bufferSize));
  const std::wstring whole(path.data(), length < bufferSize ? length : bufferSize);
  const size_t cut = whole.rfind(L'\\');
  return cut == std::wstring::npos ? whole : whole.substr(0, cut);
}

void OpenGuidePage(const char* page) {
  if (!page) return;
  const std::wstring target = ProgramFolder(256) + WideFromCp932(page);
  ::ShellExecuteW(nullptr, L"open", L"iexplore.exe", target.c_str(), nullptr, SW_SHOWNORMAL);
}
