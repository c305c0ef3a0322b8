#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// One line of a wrapped text: a byte range of it, trailing blanks left out.
struct LineSpan {
  size_t begin;
  size_t length;
};

// Width in pixels of a run of code page 932 bytes, as the device draws it.
using TextWidth = std::function<int(const char* text, size_t length)>;

// Breaks a code page 932 text into lines no wider than `width`, the way the
// Japanese system's DrawText does with word breaking: at blanks, and before
// and after every double-byte character, so a Japanese sentence wraps
// between any two of its characters. Blanks that open the text take room
// like any other character; blanks at a soft break vanish. CR LF or LF ends
// a line. A character wider than the line stands alone on its own line.
std::vector<LineSpan> BreakCp932Lines(const std::string& text, int width, const TextWidth& measure);
