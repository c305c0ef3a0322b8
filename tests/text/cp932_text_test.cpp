#include "text/cp932_text.h"

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
