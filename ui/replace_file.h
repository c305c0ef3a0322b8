#pragma once

#include <string>

// Writes `bytes` to a new file beside `path`, then puts it in place of `path`
// in one step. On failure the file at `path`, if any, is left as it was and
// no other file remains. A read-only file or a folder at `path` is never
// replaced.
bool ReplaceFileContents(const std::wstring& path, const std::string& bytes);
