#pragma once

#include <map>
#include <string>
#include <vector>

// Expectations kept as UTF-8 text under tests/golden, written by hand apart
// from the code, and handed to the tests as the bytes the program shows:
// code page 932 through the system's own table, CR LF between lines, no line
// end after the last. Each {KEY} is replaced by its value, which is already
// code page 932; a key without a value stays, so the comparison fails.
std::string GoldenText(const std::string& name, const std::map<std::string, std::string>& values = {});

// The golden file's lines, without those that start with '#'.
std::vector<std::string> GoldenLines(const std::string& name);

// A golden table of rectangles, one "name x y width height" a line, by name.
struct GoldenRect {
  int x, y, width, height;
};
std::map<std::string, GoldenRect> GoldenRects(const std::string& name);

// Code page 932 text from the system, for values the tests read themselves.
// Unlike the program's conversion, text that code page 932 cannot hold comes
// back marked "<not code page 932: ...>", never with a '?' a test then expects.
std::string Cp932MarkingLoss(const wchar_t* text);
