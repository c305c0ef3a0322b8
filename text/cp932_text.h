#pragma once

#include <cstddef>
#include <string>

// Byte-level helpers for code page 932 text, where the second byte of a
// double-byte character may look like '\\' (0x5C) or any other ASCII mark.

// True for a byte that starts a double-byte character.
bool IsCp932LeadByte(unsigned char byte);

// Offset of the last backslash that is a character of its own, or npos.
size_t FindLastBackslash(const std::string& text);

// The text before the last backslash; the whole text when there is none.
std::string CutAtLastBackslash(const std::string& path);

// Copies `source` into `dest` of `capacity` bytes, zero-terminated, cutting
// before a character that would not fit whole. Nothing happens for capacity 0.
void CopyCp932Bounded(char* dest, size_t capacity, const char* source);
