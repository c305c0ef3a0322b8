#include "app/version_info.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "text/cp932_text.h"

namespace {

// In the order of the fields.
const char* const kKeys[CVersionInfo::kFieldCount] = {
    "Comments",     "CompanyName",    "FileDescription", "FileVersion",
    "InternalName", "LegalCopyright", "LegalTrademarks", "OriginalFilename",
    "PrivateBuild", "ProductName",    "ProductVersion",  "SpecialBuild",
};

struct Translation {
  WORD language;
  WORD codePage;
};

}  // namespace

CVersionInfo::CVersionInfo() {
  std::memset(fields_, 0, sizeof(fields_));
  char path[260] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof(path));
  // A path cut at the buffer's end names some other file, or none.
  if (length == 0 || length >= sizeof(path)) return;
  Read(path);
}

CVersionInfo::CVersionInfo(const std::string& path) {
  std::memset(fields_, 0, sizeof(fields_));
  Read(path.c_str());
}

const char* CVersionInfo::GetField(int index) const {
  if (index < 0 || index >= kFieldCount) return "";
  return fields_[index];
}

void CVersionInfo::Read(const char* path) {
  DWORD handle = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(path, &handle);
  if (size == 0) return;
  // As large as the platform asks: it also keeps room there for the
  // code page 932 copies that VerQueryValueA hands out.
  std::vector<char> block(size);
  if (!::GetFileVersionInfoA(path, handle, size, block.data())) return;

  void* value = nullptr;
  UINT valueLength = 0;
  if (!::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &valueLength)) return;
  const char* entry = static_cast<const char*>(value);
  if (!entry || valueLength < sizeof(Translation)) return;
  if (entry < block.data() || entry + sizeof(Translation) > block.data() + block.size()) return;
  Translation first;
  std::memcpy(&first, entry, sizeof(first));

  for (int i = 0; i < kFieldCount; ++i) {
    char subBlock[128];
    ::wsprintfA(subBlock, "\\StringFileInfo\\%04x%04x\\%s", first.language, first.codePage, kKeys[i]);
    value = nullptr;
    valueLength = 0;
    if (!::VerQueryValueA(block.data(), subBlock, &value, &valueLength) || !value) continue;
    // The value's length is counted in characters on some systems and in
    // bytes on others, so the bound is the end of the block itself.
    const char* text = static_cast<const char*>(value);
    const char* blockEnd = block.data() + block.size();
    if (text < block.data() || text >= blockEnd) continue;
    const size_t room = static_cast<size_t>(blockEnd - text);
    const char* end = static_cast<const char*>(std::memchr(text, '\0', room));
    const std::string bounded(text, end ? static_cast<size_t>(end - text) : room);
    CopyCp932Bounded(fields_[i], kFieldSize, bounded.c_str());
  }
}
