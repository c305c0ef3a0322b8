#include "ui/guide_page.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "handles/message_box.h"
#include "res/program_names.h"
#include "res/resource_ids.h"
#include "text/wide_text.h"
#include "ui/string_resource.h"
#include "winfw/win_app.h"

namespace {

bool Started(HINSTANCE result) { return reinterpret_cast<INT_PTR>(result) > 32; }

}  // namespace

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

void OpenGuidePage(HWND owner, const char* page) {
  if (!page) return;
  const std::wstring target = ProgramFolder() + WideFromCp932(page);
  // The pages were written for Internet Explorer; a folder with blanks
  // (Program Files) needs the quotes to reach it as one argument.
  const std::wstring quoted = L"\"" + target + L"\"";
  if (Started(::ShellExecuteW(owner, L"open", L"iexplore.exe", quoted.c_str(), nullptr, SW_SHOWNORMAL))) return;
  // Turned off in Windows Features, or an edition without it: the browser
  // that opens .htm files will do.
  if (Started(::ShellExecuteW(owner, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL))) return;
  const std::string text = LoadStringResource(AfxGetInstanceHandle(), IDS_GUIDE_PAGE_UNOPENED) + "\r\n\r\n" +
                           Cp932FromWide(target);
  ShowMessageBox(owner, text.c_str(), PROGRAM_TITLE, MB_OK | MB_ICONINFORMATION);
}
