#include "ui/report_save_dialog.h"

#include <commdlg.h>
#include <objbase.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include "handles/message_box.h"
#include "handles/owner.h"
#include "res/program_names.h"
#include "text/wide_text.h"
#include "ui/save_dialog_name_limit.h"

namespace {

const char kInitialName[] = REPORT_FILE_NAME;
const char kFilterName[] = "Text Files (*txt)";
const char kFilterPattern[] = "*.txt";
// Windows adds it to a name typed without one, so Notepad still opens the report.
const wchar_t kDefaultExtension[] = L"txt";

enum class DialogAnswer { kPath, kCancelled, kUnavailable };

DialogAnswer AskWithItemDialog(HWND owner, std::wstring* path) {
  Microsoft::WRL::ComPtr<IFileSaveDialog> dialog;
  if (FAILED(::CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(dialog.ReleaseAndGetAddressOf())))) {
    return DialogAnswer::kUnavailable;
  }
  const std::wstring filterName = WideFromCp932(kFilterName);
  const std::wstring filterPattern = WideFromCp932(kFilterPattern);
  const COMDLG_FILTERSPEC filter = {filterName.c_str(), filterPattern.c_str()};
  FILEOPENDIALOGOPTIONS options = 0;
  if (FAILED(dialog->GetOptions(&options))) return DialogAnswer::kUnavailable;
  // The classic flags asked for the overwrite prompt only; they let a
  // read-only file be chosen, and the save then fails with its own box.
  options = (options | FOS_OVERWRITEPROMPT | FOS_FORCEFILESYSTEM) & ~FOS_NOREADONLYRETURN;
  if (FAILED(dialog->SetOptions(options)) || FAILED(dialog->SetFileTypes(1, &filter)) ||
      FAILED(dialog->SetDefaultExtension(kDefaultExtension)) ||
      FAILED(dialog->SetFileName(WideFromCp932(kInitialName).c_str()))) {
    return DialogAnswer::kUnavailable;
  }
  SaveDialogNameLimit nameLimit;
  DWORD adviseCookie = 0;
  const bool advised = SUCCEEDED(dialog->Advise(&nameLimit, &adviseCookie));
  const HRESULT shown = dialog->Show(owner);
  if (advised) dialog->Unadvise(adviseCookie);
  if (FAILED(shown)) return DialogAnswer::kCancelled;
  Microsoft::WRL::ComPtr<IShellItem> item;
  if (FAILED(dialog->GetResult(item.ReleaseAndGetAddressOf()))) return DialogAnswer::kCancelled;
  OwnedTaskMem<wchar_t> widePath;
  if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, widePath.put())) || !widePath.get()) {
    return DialogAnswer::kCancelled;
  }
  *path = widePath.get();
  return path->empty() ? DialogAnswer::kCancelled : DialogAnswer::kPath;
}

bool AskWithClassicDialog(HWND owner, std::wstring* path) {
  wchar_t file[MAX_PATH] = {};
  const std::wstring initialName = WideFromCp932(kInitialName);
  initialName.copy(file, MAX_PATH - 1);
  // Name, pattern, and the empty entry that ends the list.
  const std::wstring filter = WideFromCp932(std::string(kFilterName) + '\0' + kFilterPattern + '\0' + '\0');
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrDefExt = kDefaultExtension;
  dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  if (!::GetSaveFileNameW(&dialog)) return false;
  *path = file;
  return !path->empty();
}

}  // namespace

bool AskReportPath(HWND owner, std::wstring* path) {
  path->clear();
  switch (AskWithItemDialog(owner, path)) {
    case DialogAnswer::kPath:
      return true;
    case DialogAnswer::kCancelled:
      return false;
    case DialogAnswer::kUnavailable:
      break;
  }
  return AskWithClassicDialog(owner, path);
}

void ShowReportSaveFailedBox(HWND owner, const std::wstring& path) {
  const std::string text =
      "レポートファイルを保存できませんでした。\r\n\r\n" + Cp932FromWide(path) +
      "\r\n\r\n保存先のフォルダーに書き込めるか、ファイルが読み取り専用でないかをご確認ください。";
  ShowMessageBox(owner, text.c_str(), PROGRAM_TITLE, MB_OK | MB_ICONERROR);
}
