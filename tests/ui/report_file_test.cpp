#include "ui/report_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "handles/message_box.h"

namespace {

const char kFirst[] = "---- first report\r\n        Copyright";
const char kSecond[] = "---- second report, a little longer\r\n\r\n        Copyright";

struct SeenBox {
  int calls = 0;
  HWND owner = nullptr;
  std::string text;
  std::string caption;
  UINT style = 0;
};
SeenBox g_seen;

int WINAPI RecordBox(HWND owner, const char* text, const char* caption, UINT style) {
  ++g_seen.calls;
  g_seen.owner = owner;
  g_seen.text = text;
  g_seen.caption = caption;
  g_seen.style = style;
  return IDOK;
}

std::string ReadAll(const std::string& path) {
  HANDLE file =
      ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
  ::CloseHandle(file);
  return bytes;
}

bool WriteAll(const std::string& path, const std::string& bytes) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  ::CloseHandle(file);
  return ok;
}

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

// A fresh folder of its own under the temporary folder, emptied afterwards.
class ReportFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char base[MAX_PATH];
    ASSERT_NE(0u, ::GetTempPathA(sizeof(base), base));
    folder_ = std::string(base) + "report_file_test_" + std::to_string(::GetCurrentProcessId());
    RemoveTree(folder_);
    ASSERT_TRUE(::CreateDirectoryA(folder_.c_str(), nullptr));
    g_seen = SeenBox();
    previousBox_ = SetMessageBoxFunction(RecordBox);
  }
  void TearDown() override {
    SetMessageBoxFunction(previousBox_);
    RemoveTree(folder_);
  }

  static void RemoveTree(const std::string& folder) {
    for (const std::string& name : NamesIn(folder)) {
      const std::string path = folder + "\\" + name;
      ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        ::DeleteFileA(path.c_str());
      }
    }
    ::RemoveDirectoryA(folder.c_str());
  }

  // Saves as the report operation does: the box follows a failed write.
  bool Save(const std::string& path, const std::string& text) {
    if (WriteReportFileReplacing(path, text)) return true;
    ShowReportSaveFailedBox(nullptr, path);
    return false;
  }

  std::string folder_;
  MessageBoxFunction previousBox_ = nullptr;
};

TEST_F(ReportFileTest, ANewFileHoldsExactlyTheTextAndNothingElseIsLeft) {
  const std::string target = folder_ + "\\qorChekerLog.txt";
  const char bytes[] = "bytes \x81\x40 with a zero\0 inside";
  const std::string text(bytes, sizeof(bytes) - 1);
  ASSERT_TRUE(Save(target, text));
  EXPECT_EQ(text, ReadAll(target));
  EXPECT_EQ(std::vector<std::string>{"qorChekerLog.txt"}, NamesIn(folder_));
  EXPECT_EQ(0, g_seen.calls);
}

TEST_F(ReportFileTest, SavingTwiceToTheSameNameReplacesTheFirstFile) {
  const std::string target = folder_ + "\\qorChekerLog.txt";
  ASSERT_TRUE(Save(target, kSecond));
  ASSERT_TRUE(Save(target, kFirst));  // shorter: nothing of the longer one may remain
  EXPECT_EQ(kFirst, ReadAll(target));
  EXPECT_EQ(std::vector<std::string>{"qorChekerLog.txt"}, NamesIn(folder_));
  EXPECT_EQ(0, g_seen.calls);
}

TEST_F(ReportFileTest, FolderAndFileNamesWithBackslashTrailBytesAreKept) {
  // "ソ" and "表" end in the byte 0x5C, the path separator.
  const std::string subFolder = folder_ + "\\ソフト表";
  ASSERT_TRUE(::CreateDirectoryA(subFolder.c_str(), nullptr));
  const std::string target = subFolder + "\\判定表.txt";
  ASSERT_TRUE(Save(target, kFirst));
  EXPECT_EQ(kFirst, ReadAll(target));
  EXPECT_EQ(std::vector<std::string>{"判定表.txt"}, NamesIn(subFolder));
}

TEST_F(ReportFileTest, AReadOnlyTargetStaysAsItWasAndTheUserIsTold) {
  const std::string target = folder_ + "\\qorChekerLog.txt";
  ASSERT_TRUE(WriteAll(target, kFirst));
  ASSERT_TRUE(::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(Save(target, kSecond));
  EXPECT_EQ(kFirst, ReadAll(target));
  EXPECT_NE(0u, ::GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(std::vector<std::string>{"qorChekerLog.txt"}, NamesIn(folder_));
  EXPECT_EQ(1, g_seen.calls);
  EXPECT_NE(std::string::npos, g_seen.text.find(target));
}

TEST_F(ReportFileTest, AFileHeldOpenByAnotherProgramStaysAsItWas) {
  const std::string target = folder_ + "\\qorChekerLog.txt";
  ASSERT_TRUE(WriteAll(target, kFirst));
  HANDLE other =
      ::CreateFileA(target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, other);
  EXPECT_FALSE(Save(target, kSecond));
  ::CloseHandle(other);
  EXPECT_EQ(kFirst, ReadAll(target));
  EXPECT_EQ(std::vector<std::string>{"qorChekerLog.txt"}, NamesIn(folder_));
  EXPECT_EQ(1, g_seen.calls);
}

TEST_F(ReportFileTest, PlacesThatCannotBeWrittenFailAndCreateNothing) {
  const std::string aFile = folder_ + "\\plain.txt";
  ASSERT_TRUE(WriteAll(aFile, kFirst));
  const std::string aFolder = folder_ + "\\a folder";
  ASSERT_TRUE(::CreateDirectoryA(aFolder.c_str(), nullptr));
  const struct {
    const char* name;
    std::string path;
  } cases[] = {
      {"a folder that does not exist", folder_ + "\\missing\\qorChekerLog.txt"},
      {"below a file instead of a folder", aFile + "\\qorChekerLog.txt"},
      {"a folder in the target's place", aFolder},
      // Longer than the ANSI path functions and the temporary name's buffer take.
      {"a folder past MAX_PATH", folder_ + "\\" + std::string(300, 'f') + "\\qorChekerLog.txt"},
      {"a file name past MAX_PATH", folder_ + "\\" + std::string(300, 'n') + ".txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    g_seen = SeenBox();
    EXPECT_FALSE(Save(c.path, kSecond));
    EXPECT_EQ(1, g_seen.calls);
    EXPECT_NE(std::string::npos, g_seen.text.find(c.path));
  }
  EXPECT_EQ(kFirst, ReadAll(aFile));
  EXPECT_TRUE(NamesIn(aFolder).empty());
  EXPECT_EQ((std::vector<std::string>{"a folder", "plain.txt"}), NamesIn(folder_));
}

TEST_F(ReportFileTest, TheFailureBoxNamesTheFileInJapanese) {
  const std::string path = "C:\\users\\報告\\qorChekerLog.txt";
  ShowReportSaveFailedBox(reinterpret_cast<HWND>(0x1234), path);
  EXPECT_EQ(1, g_seen.calls);
  EXPECT_EQ(reinterpret_cast<HWND>(0x1234), g_seen.owner);
  EXPECT_EQ(
      "レポートファイルを保存できませんでした。\r\n\r\n"
      "C:\\users\\報告\\qorChekerLog.txt\r\n\r\n"
      "保存先のフォルダーに書き込めるか、ファイルが読み取り専用でないかをご確認ください。",
      g_seen.text);
  EXPECT_EQ("ソラリオ for UT-750", g_seen.caption);
  EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), g_seen.style);
}

}  // namespace
