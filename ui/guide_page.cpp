#include "ui/guide_page.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "text/wide_text.h"

std::wstring ProgramFolder() {
  // A path that fills the buffer may have been cut: read it again with more room.
  std::vector<wchar_t> path(MAX_PATH, L'\0');
  DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  while (length >= path.size() && path.size() < 32768) {
    path.assign(path.size() * 2, L'\0');
    length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  }
  const std::wstring whole(path.data(), length < path.size() ? length : 0);
  const size_t cut = whole.rfind(L'\\');
  return cut == std::wstring::npos ? whole : whole.substr(0, cut);
}

void OpenGuidePage(const char* page) {
  if (!page) return;
  const std::wstring target = ProgramFolder() + WideFromCp932(page);
  ::ShellExecuteW(nullptr, L"open", L"iexplore.exe", target.c_str(), nullptr, SW_SHOWNORMAL);
}
