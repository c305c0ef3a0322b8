#pragma once

#include <string>

// The program keeps its texts in code page 932 whatever the system's ANSI
// code page is; these are the only crossings to and from the UTF-16 that
// the screen, the file system and the shell speak. Going through the ANSI
// API instead would let a non-Japanese system decode our bytes as its own.

// Code page 932 to UTF-16. A byte that is no character becomes U+30FB or
// whatever the platform's table gives; the text is never cut short.
std::wstring WideFromCp932(const std::string& text);
std::wstring WideFromCp932(const char* text);

// UTF-16 to code page 932 with the platform's best fit (as the ANSI API of
// a Japanese system would give); a character 932 lacks becomes '?'.
std::string Cp932FromWide(const std::wstring& text);
std::string Cp932FromWide(const wchar_t* text, size_t length);
