#include "ui/replace_file.h"

#include <windows.h>

#include "handles/owner.h"

namespace {

// GetTempFileNameW writes the folder, a backslash and "qorXXXX.tmp" into
// a MAX_PATH buffer; Wine copies a longer folder there without looking.
const size_t kLongestTemporaryFolder = MAX_PATH - 14;

// The folder part of `path` as the temporary file's place; "." for a bare name.
std::wstring FolderOf(const std::wstring& path) {
  const size_t cut = path.find_last_of(L"\\/");
  if (cut == std::wstring::npos) return L".";
  if (cut == 0 || (cut == 2 && path[1] == L':')) return path.substr(0, cut + 1);
  return path.substr(0, cut);
}

bool WriteWhole(const wchar_t* file, const std::string& bytes) {
  OwnedHandle handle(
      ::CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) return false;
  DWORD written = 0;
  if (!bytes.empty() &&
      (!::WriteFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
       written != bytes.size())) {
    return false;
  }
  if (!::FlushFileBuffers(handle.get())) return false;
  // A failed close may mean the written data did not land.
  return ::CloseHandle(handle.release()) != FALSE;
}

}  // namespace

bool ReplaceFileContents(const std::wstring& path, const std::string& bytes) {
  if (path.empty() || path.find(L'\0') != std::wstring::npos) return false;
  // The move alone would replace a read-only file or an empty folder.
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return false;
  }
  const std::wstring folder = FolderOf(path);
  if (folder.size() > kLongestTemporaryFolder) return false;
  wchar_t temporary[MAX_PATH] = {};
  if (!::GetTempFileNameW(folder.c_str(), L"qor", 0, temporary)) return false;
  if (!WriteWhole(temporary, bytes) ||
      !::MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ::DeleteFileW(temporary);
    return false;
  }
  return true;
}
