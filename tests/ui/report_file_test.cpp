#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "handles/message_box.h"
#include "ui/replace_file.h"
#include "ui/report_save_dialog.h"

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

std::string ReadAll(const std::wstring& path) {
  HANDLE file =
      ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
  ::CloseHandle(file);
  return bytes;
}

bool WriteAll(const std::wstring& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  ::CloseHandle(file);
  return ok;
}

std::vector<std::wstring> NamesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

// The box text of an ASCII path.
std::string Ascii(const std::wstring& path) { return std::string(path.begin(), path.end()); }

// A fresh folder of its own under the temporary folder, emptied afterwards.
class ReportFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t base[MAX_PATH];
    ASSERT_NE(0u, ::GetTempPathW(MAX_PATH, base));
    folder_ = std::wstring(base) + L"report_file_test_" + std::to_wstring(::GetCurrentProcessId());
    RemoveTree(folder_);
    ASSERT_TRUE(::CreateDirectoryW(folder_.c_str(), nullptr));
    g_seen = SeenBox();
    previousBox_ = SetMessageBoxFunction(RecordBox);
  }
  void TearDown() override {
    SetMessageBoxFunction(previousBox_);
    RemoveTree(folder_);
  }

  static void RemoveTree(const std::wstring& folder) {
    for (const std::wstring& name : NamesIn(folder)) {
      const std::wstring path = folder + L"\\" + name;
      ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        ::DeleteFileW(path.c_str());
      }
    }
    ::RemoveDirectoryW(folder.c_str());
  }

  // Saves as the report operation does: the box follows a failed write.
  bool Save(const std::wstring& path, const std::string& text) {
    if (ReplaceFileContents(path, text)) return true;
    ShowReportSaveFailedBox(nullptr, path);
    return false;
  }

  // The folder holds the report alone, with `text`, and `boxes` boxes were shown.
  void ExpectTheReportAlone(const std::string& text, int boxes) {
    EXPECT_EQ(text, ReadAll(Target()));
    EXPECT_EQ(std::vector<std::wstring>{L"qorChekerLog.txt"}, NamesIn(folder_));
    EXPECT_EQ(boxes, g_seen.calls);
  }
  std::wstring Target() const { return folder_ + L"\\qorChekerLog.txt"; }

  std::wstring folder_;
  MessageBoxFunction previousBox_ = nullptr;
};

TEST_F(ReportFileTest, ANewFileHoldsExactlyTheTextAndSavingAgainReplacesIt) {
  const char bytes[] = "bytes \x81\x40 with a zero\0 inside";
  const std::string text(bytes, sizeof(bytes) - 1);
  ASSERT_TRUE(Save(Target(), text));
  ExpectTheReportAlone(text, 0);
  ASSERT_TRUE(Save(Target(), kSecond));
  ASSERT_TRUE(Save(Target(), kFirst));  // shorter: nothing of the longer one may remain
  ExpectTheReportAlone(kFirst, 0);
}

TEST_F(ReportFileTest, FolderAndFileNamesInAnyScriptAreKept) {
  const struct {
    const char* name;
    const wchar_t* folder;
    const wchar_t* file;
  } rows[] = {
      // "ソ" and "表" end in the byte 0x5C, the path separator, in code page 932.
      {"backslash trail bytes", L"ソフト表", L"判定表.txt"},
      // U+D55C, a Hangul syllable, is in no Japanese code page.
      {"Japanese and Hangul", L"報告\xD55C", L"qorChekerLog.txt"},
  };
  // "判定結果" in code page 932, written by hand.
  const std::string text = "\x94\xbb\x92\xe8\x8c\x8b\x89\xca\r\n";
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::wstring subFolder = folder_ + L"\\" + row.folder;
    ASSERT_TRUE(::CreateDirectoryW(subFolder.c_str(), nullptr));
    const std::wstring target = subFolder + L"\\" + row.file;
    ASSERT_TRUE(Save(target, text));
    EXPECT_EQ(text, ReadAll(target));
    EXPECT_EQ(std::vector<std::wstring>{row.file}, NamesIn(subFolder));
  }
}

TEST_F(ReportFileTest, AReadOnlyTargetStaysAsItWasAndTheUserIsTold) {
  const std::wstring target = Target();
  ASSERT_TRUE(WriteAll(target, kFirst));
  ASSERT_TRUE(::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(Save(target, kSecond));
  ExpectTheReportAlone(kFirst, 1);
  EXPECT_NE(0u, ::GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_NE(std::string::npos, g_seen.text.find(Ascii(target)));
}

TEST_F(ReportFileTest, AFileHeldOpenByAnotherProgramStaysAsItWas) {
  ASSERT_TRUE(WriteAll(Target(), kFirst));
  HANDLE other =
      ::CreateFileW(Target().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, other);
  EXPECT_FALSE(Save(Target(), kSecond));
  ::CloseHandle(other);
  ExpectTheReportAlone(kFirst, 1);
}

TEST_F(ReportFileTest, PlacesThatCannotBeWrittenFailAndCreateNothing) {
  const std::wstring aFile = folder_ + L"\\plain.txt";
  ASSERT_TRUE(WriteAll(aFile, kFirst));
  const std::wstring aFolder = folder_ + L"\\a folder";
  ASSERT_TRUE(::CreateDirectoryW(aFolder.c_str(), nullptr));
  // A folder that exists, too long for the temporary name's MAX_PATH buffer.
  const std::wstring deepFolder = folder_ + L"\\" + std::wstring(150, L'd');
  ASSERT_TRUE(::CreateDirectoryW(deepFolder.c_str(), nullptr));
  const std::wstring deeperFolder = deepFolder + L"\\" + std::wstring(150, L'e');
  ASSERT_TRUE(::CreateDirectoryW(deeperFolder.c_str(), nullptr));
  const struct {
    const char* name;
    std::wstring path;
  } cases[] = {
      {"a folder that does not exist", folder_ + L"\\missing\\qorChekerLog.txt"},
      {"below a file instead of a folder", aFile + L"\\qorChekerLog.txt"},
      {"a folder in the target's place", aFolder},
      {"a folder past MAX_PATH", folder_ + L"\\" + std::wstring(300, L'f') + L"\\qorChekerLog.txt"},
      {"a file name past MAX_PATH", folder_ + L"\\" + std::wstring(300, L'n') + L".txt"},
      {"an existing folder past MAX_PATH", deeperFolder + L"\\qorChekerLog.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    g_seen = SeenBox();
    EXPECT_FALSE(Save(c.path, kSecond));
    EXPECT_EQ(1, g_seen.calls);
    EXPECT_NE(std::string::npos, g_seen.text.find(Ascii(c.path)));
  }
  EXPECT_EQ(kFirst, ReadAll(aFile));
  EXPECT_TRUE(NamesIn(aFolder).empty());
  EXPECT_TRUE(NamesIn(deeperFolder).empty());
  EXPECT_EQ((std::vector<std::wstring>{L"a folder", std::wstring(150, L'd'), L"plain.txt"}), NamesIn(folder_));
}

TEST_F(ReportFileTest, TheFailureBoxNamesTheFileInCodePage932) {
  const struct {
    const wchar_t* path;
    const char* shown;
  } rows[] = {
      {L"C:\\users\\報告\\qorChekerLog.txt", "C:\\users\\報告\\qorChekerLog.txt"},
      // The box alone loses the Hangul syllable; the file keeps its name.
      {L"C:\\users\\報告\xD55C\\qorChekerLog.txt", "C:\\users\\報告?\\qorChekerLog.txt"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.shown);
    g_seen = SeenBox();
    ShowReportSaveFailedBox(reinterpret_cast<HWND>(0x1234), row.path);
    EXPECT_EQ(1, g_seen.calls);
    EXPECT_EQ(reinterpret_cast<HWND>(0x1234), g_seen.owner);
    EXPECT_EQ(std::string("レポートファイルを保存できませんでした。\r\n\r\n") + row.shown +
                  "\r\n\r\n保存先のフォルダーに書き込めるか、ファイルが読み取り専用でないかをご確認ください。",
              g_seen.text);
    EXPECT_EQ("ソラリオ for UT-750", g_seen.caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), g_seen.style);
  }
}

}  // namespace
