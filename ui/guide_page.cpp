#include "ui/guide_page.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "text/cp932_text.h"

std::string ProgramFolder(size_t bufferSize) {
  std::vector<char> path(bufferSize + 1, '\0');
  const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(bufferSize));
  return CutAtLastBackslash(std::string(path.data(), length < bufferSize ? length : bufferSize));
}

void OpenGuidePage(const char* page) {
  if (!page) return;
  const std::string target = ProgramFolder(256) + page;
  ::ShellExecuteA(nullptr, "open", "iexplore.exe", target.c_str(), nullptr, SW_SHOWNORMAL);
}
