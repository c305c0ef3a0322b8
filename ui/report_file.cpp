#include "ui/report_file.h"

#include <commdlg.h>
#include <objbase.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include "handles/message_box.h"
#include "handles/owner.h"
#include "res/program_names.h"
#include "text/cp932_text.h"
#include "ui/save_dialog_name_limit.h"

// Two steps, so that the macro's literal is pasted onto L rather than its name.
#define WIDE_TEXT_(text) L##text
#define WIDE_TEXT(text) WIDE_TEXT_(text)

namespace {

const char kInitialName[] = REPORT_FILE_NAME;
const wchar_t kWideInitialName[] = WIDE_TEXT(REPORT_FILE_NAME);

// Characters the ANSI code page cannot hold become '?', which no file name
// may contain, so such a path fails to open instead of naming another file.
bool ToCp932(const wchar_t* wide, std::string* out) {
  const int size =
      ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return false;
  std::string text(static_cast<size_t>(size), '\0');
  if (!::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, &text[0], size, nullptr, nullptr))
    return false;
  text.resize(static_cast<size_t>(size - 1));
  *out = text;
  return true;
}

enum class DialogAnswer { kPath, kCancelled, kUnavailable };

DialogAnswer AskWithItemDialog(HWND owner, std::string* path) {
  Microsoft::WRL::ComPtr<IFileSaveDialog> dialog;
  if (FAILED(::CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(dialog.ReleaseAndGetAddressOf())))) {
    return DialogAnswer::kUnavailable;
  }
  const COMDLG_FILTERSPEC filter = {L"Text Files (*txt)", L"*.txt"};
  FILEOPENDIALOGOPTIONS options = 0;
  if (FAILED(dialog->GetOptions(&options))) return DialogAnswer::kUnavailable;
  // The classic flags asked for the overwrite prompt only; they let a
  // read-only file be chosen, and the save then fails with its own box.
  options = (options | FOS_OVERWRITEPROMPT | FOS_FORCEFILESYSTEM) & ~FOS_NOREADONLYRETURN;
  if (FAILED(dialog->SetOptions(options)) || FAILED(dialog->SetFileTypes(1, &filter)) ||
      FAILED(dialog->SetFileName(kWideInitialName))) {
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
  if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, widePath.put()))) return DialogAnswer::kCancelled;
  return ToCp932(widePath.get(), path) ? DialogAnswer::kPath : DialogAnswer::kCancelled;
}

bool AskWithClassicDialog(HWND owner, std::string* path) {
  char file[MAX_PATH] = {};
  CopyCp932Bounded(file, sizeof(file), kInitialName);
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = "Text Files (*txt)\0*.txt\0\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof(file);
  dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  if (!::GetSaveFileNameA(&dialog)) return false;
  *path = file;
  return !path->empty();
}

// The folder part of `path` as the temporary file's place; "." for a bare name.
std::string FolderOf(const std::string& path) {
  size_t cut = FindLastBackslash(path);
  // '/' is never the second byte of a double-byte character.
  const size_t slash = path.rfind('/');
  if (slash != std::string::npos && (cut == std::string::npos || slash > cut)) cut = slash;
  if (cut == std::string::npos) return ".";
  if (cut == 0 || (cut == 2 && path[1] == ':')) return path.substr(0, cut + 1);
  return path.substr(0, cut);
}

bool WriteWhole(const std::string& file, const std::string& text) {
  OwnedHandle handle(
      ::CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) return false;
  DWORD written = 0;
  if (!text.empty() &&
      (!::WriteFile(handle.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
       written != text.size())) {
    return false;
  }
  if (!::FlushFileBuffers(handle.get())) return false;
  // A failed close may mean the written data did not land.
  return ::CloseHandle(handle.release()) != FALSE;
}

}  // namespace

bool AskReportPath(HWND owner, std::string* path) {
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

bool WriteReportFileReplacing(const std::string& path, const std::string& text) {
  if (path.empty()) return false;
  // A read-only file or a folder is never replaced, whatever the file
  // system would allow a move to do.
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return false;
  }
  char temporary[MAX_PATH] = {};
  if (!::GetTempFileNameA(FolderOf(path).c_str(), "qor", 0, temporary)) return false;
  if (!WriteWhole(temporary, text) ||
      !::MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ::DeleteFileA(temporary);
    return false;
  }
  return true;
}

void ShowReportSaveFailedBox(HWND owner, const std::string& path) {
  const std::string text =
      "レポートファイルを保存できませんでした。\r\n\r\n" + path +
      "\r\n\r\n保存先のフォルダーに書き込めるか、ファイルが読み取り専用でないかをご確認ください。";
  ShowMessageBox(owner, text.c_str(), PROGRAM_TITLE, MB_OK | MB_ICONERROR);
}
