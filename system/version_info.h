#pragma once

#include <string>

// The string values of a file's version resource, read once at construction
// from the first translation only. Every field is code page 932 text; a value
// the resource lacks, or a file without a resource, leaves its field empty.
class CVersionInfo {
 public:
  enum Field {
    kComments,
    kCompanyName,
    kFileDescription,
    kFileVersion,
    kInternalName,
    kLegalCopyright,
    kLegalTrademarks,
    kOriginalFilename,
    kPrivateBuild,
    kProductName,
    kProductVersion,
    kSpecialBuild,
    kFieldCount
  };
  static constexpr size_t kFieldSize = 1024;

  // Reads the program's own file.
  CVersionInfo();
  // Reads the given file; `path` is code page 932.
  explicit CVersionInfo(const std::string& path);
  // Reads a version block as GetFileVersionInfoW leaves it: the resource,
  // then as much room again and 4 bytes. The UTF-16 values are turned into
  // code page 932 here, never through the process's ANSI code page.
  CVersionInfo(char* block, size_t size);

  const char* GetFileVersion() const { return fields_[kFileVersion]; }
  const char* GetLegalCopyright() const { return fields_[kLegalCopyright]; }
  // Any field by its place; empty for a place out of range.
  const char* GetField(int index) const;

 private:
  void Read(const wchar_t* path);
  void ReadBlock(char* block, size_t size);

  char fields_[kFieldCount][kFieldSize];
};
