#include "text/cp932_text.h"
#include "text/wide_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "表" is 0x95 0x5C and "ソ" is 0x83 0x5C in code page 932: their second
// byte is a backslash that must never be taken for a path separator.
struct CutCase {
  const char* path;
  const char* folder;
};

TEST(CutAtLastBackslashTest, CutsOnlyAtBackslashCharacters) {
  const CutCase cases[] = {
      {"C:\\Program Files\\Solario\\qorChecker.exe", "C:\\Program Files\\Solario"},
      {"C:\\表\\qorChecker.exe", "C:\\表"},
      {"C:\\ソフト\\表\\qorChecker.exe", "C:\\ソフト\\表"},
      {"C:\\ソ", "C:"},
      {"C:\\表", "C:"},
      {"qorChecker.exe", "qorChecker.exe"},
      {"表", "表"},
      {"", ""},
      {"\\", ""},
  };
  for (const CutCase& c : cases) {
    EXPECT_EQ(CutAtLastBackslash(c.path), c.folder) << c.path;
  }
}

TEST(CutAtLastBackslashTest, FolderNameEndingInTrailByte0x5C) {
  const std::string path = "C:\\\x95\x5C\\a.exe";
  EXPECT_EQ(FindLastBackslash(path), 5u);
  EXPECT_EQ(FindLastBackslash("C:\\\x95\x5C"), 2u);
  // A lead byte at the very end stands alone.
  EXPECT_EQ(FindLastBackslash("a\\\x95"), 1u);
}

struct CopyCase {
  const char* source;
  size_t capacity;
  const char* copied;
};

TEST(CopyCp932BoundedTest, NeverSplitsADoubleByteCharacter) {
  const CopyCase cases[] = {
      {"abc", 4, "abc"},
      {"abcd", 4, "abc"},
      {"ソラリオ", 9, "ソラリオ"},
      {"ソラリオ", 8, "ソラリ"},
      {"ソラリオ", 7, "ソラリ"},
      {"aソ", 3, "a"},
      {"aソ", 4, "aソ"},
      {"", 1, ""},
      {"x", 1, ""},
  };
  for (const CopyCase& c : cases) {
    char buffer[16];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    CopyCp932Bounded(buffer, c.capacity, c.source);
    EXPECT_STREQ(buffer, c.copied) << c.source << " into " << c.capacity;
    EXPECT_EQ(buffer[c.capacity], '#') << "wrote past the capacity";
  }
}

TEST(CopyCp932BoundedTest, ZeroCapacityAndNullSourceAreSafe) {
  char buffer[2] = {'#', '#'};
  CopyCp932Bounded(buffer, 0, "abc");
  EXPECT_EQ(buffer[0], '#');
  CopyCp932Bounded(buffer, 2, nullptr);
  EXPECT_EQ(buffer[0], '\0');
}

}  // namespace

// Code page 932 as Windows maps it (Microsoft's table, not JIS X 0208's):
// the wave dash is U+FF5E and the NEC row 13 circled digits are there.
struct WideCase {
  const char* cp932;
  const wchar_t* utf16;
};

TEST(WideTextTest, CrossesBetweenCp932AndUtf16BothWays) {
  const WideCase cases[] = {
      {"", L""},
      {"\x83\x5C\x83\x89\x83\x8A\x83\x49", L"\u30BD\u30E9\u30EA\u30AA"},
      {"\x81\x40\x95\x5C", L"\u3000\u8868"},
      {"\x81\x60\x87\x40\x81\xCA", L"\uFF5E\u2460\uFFE2"},
      {"C:\\a\xB1", L"C:\\a\uFF71"},
  };
  for (const WideCase& c : cases) {
    EXPECT_EQ(WideFromCp932(c.cp932), c.utf16) << c.cp932;
    EXPECT_EQ(Cp932FromWide(c.utf16), c.cp932) << c.cp932;
  }
  // Outside code page 932: a Hangul syllable has no byte form.
  EXPECT_EQ(Cp932FromWide(L"a\uD55Cb"), "a?b");
}
