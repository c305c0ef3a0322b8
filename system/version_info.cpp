#include "system/version_info.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "text/cp932_text.h"
#include "text/wide_text.h"

namespace {

// In the order of the fields.
const wchar_t* const kKeys[CVersionInfo::kFieldCount] = {
    L"Comments",     L"CompanyName",    L"FileDescription", L"FileVersion",
    L"InternalName", L"LegalCopyright", L"LegalTrademarks", L"OriginalFilename",
    L"PrivateBuild", L"ProductName",    L"ProductVersion",  L"SpecialBuild",
};

struct Translation {
  WORD language;
  WORD codePage;
};

// Deeper than any version resource nests (ours: four levels).
constexpr int kMaxDepth = 8;

WORD WordAt(const BYTE* block, size_t at) { return static_cast<WORD>(block[at] | block[at + 1] << 8); }

size_t Align4(size_t offset) { return (offset + 3) & ~size_t{3}; }

// One node and its children: wLength, wValueLength, wType, a key that ends
// inside the node, a value that fits in it (text counted in UTF-16 units),
// children laid end to end inside it. Offsets align from the node's start.
bool NodeIsSound(const BYTE* block, size_t at, size_t end, int depth) {
  if (depth > kMaxDepth || end - at < 6) return false;
  const size_t length = WordAt(block, at);
  const size_t type = WordAt(block, at + 4);
  if (length < 6 || length > end - at || type > 1) return false;
  const size_t nodeEnd = at + length;
  size_t key = at + 6;
  while (key + 2 <= nodeEnd && WordAt(block, key) != 0) key += 2;
  if (key + 2 > nodeEnd) return false;
  const size_t value = at + Align4(key + 2 - at);
  const size_t valueBytes = WordAt(block, at + 2) * (type ? 2u : 1u);
  if (valueBytes && (value > nodeEnd || valueBytes > nodeEnd - value)) return false;
  for (size_t child = at + Align4(value + valueBytes - at); child < nodeEnd;
       child += Align4(WordAt(block, child))) {
    if (!NodeIsSound(block, child, nodeEnd, depth + 1)) return false;
  }
  return true;
}

// VerQueryValueW believes every length in a block: it walks children by
// their lengths and reads keys to their null. A block from a file is only
// handed to it when all of that stays inside the block, and when the block
// has the room behind the resource that GetFileVersionInfoW always leaves
// (twice the resource's length plus 4): a block without it was cut short.
bool BlockIsSound(const char* block, size_t size) {
  const auto* bytes = reinterpret_cast<const BYTE*>(block);
  if (size < 6) return false;
  const size_t length = WordAt(bytes, 0);
  if (length > size || 2 * length + 4 > size) return false;
  return NodeIsSound(bytes, 0, length, 0);
}

}  // namespace

CVersionInfo::CVersionInfo() {
  std::memset(fields_, 0, sizeof(fields_));
  wchar_t path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  // A path cut at the buffer's end names some other file, or none.
  if (length == 0 || length >= MAX_PATH) return;
  Read(path);
}

CVersionInfo::CVersionInfo(const std::string& path) {
  std::memset(fields_, 0, sizeof(fields_));
  Read(WideFromCp932(path).c_str());
}

CVersionInfo::CVersionInfo(char* block, size_t size) {
  std::memset(fields_, 0, sizeof(fields_));
  ReadBlock(block, size);
}

const char* CVersionInfo::GetField(int index) const {
  if (index < 0 || index >= kFieldCount) return "";
  return fields_[index];
}

void CVersionInfo::Read(const wchar_t* path) {
  DWORD handle = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path, &handle);
  if (size == 0) return;
  std::vector<char> block(size);
  if (!::GetFileVersionInfoW(path, handle, size, block.data())) return;
  ReadBlock(block.data(), block.size());
}

void CVersionInfo::ReadBlock(char* block, size_t size) {
  if (!block || !BlockIsSound(block, size)) return;
  void* value = nullptr;
  UINT valueLength = 0;
  if (!::VerQueryValueW(block, L"\\VarFileInfo\\Translation", &value, &valueLength)) return;
  const char* entry = static_cast<const char*>(value);
  if (!entry || valueLength < sizeof(Translation)) return;
  if (entry < block || entry + sizeof(Translation) > block + size) return;
  Translation first;
  std::memcpy(&first, entry, sizeof(first));

  for (int i = 0; i < kFieldCount; ++i) {
    wchar_t subBlock[128];
    ::wsprintfW(subBlock, L"\\StringFileInfo\\%04x%04x\\%s", first.language, first.codePage, kKeys[i]);
    value = nullptr;
    valueLength = 0;
    if (!::VerQueryValueW(block, subBlock, &value, &valueLength) || !value) continue;
    // The value's length is counted in characters on some systems and in
    // bytes on others, so the bound is the end of the block itself. The
    // block need not sit on an even address: the UTF-16 is copied out.
    const char* text = static_cast<const char*>(value);
    const char* blockEnd = block + size;
    if (text < block || text >= blockEnd) continue;
    std::wstring wide;
    for (const char* unit = text; blockEnd - unit >= 2; unit += 2) {
      wchar_t character;
      std::memcpy(&character, unit, sizeof(character));
      if (character == L'\0') break;
      wide += character;
    }
    CopyCp932Bounded(fields_[i], kFieldSize, Cp932FromWide(wide).c_str());
  }
}
