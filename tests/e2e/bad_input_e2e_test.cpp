// What a person or the system can hand the program that it must survive:
// save targets that cannot take the report or that are hard to name, and a
// program whose guide folder is gone.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/result_page_fixture.h"
#include "tests/e2e/save_dialog_driver.h"

namespace {

const char kSaveFailed[] = "保存できませんでした";

struct SaveTarget {
  const char* name;
  std::vector<std::string> folders;  // made before, removed after, in this order
  std::string path;
  bool saved;  // false: the program says it could not save, and writes nothing
  bool typed;  // on the real keyboard; otherwise put into the field by a message
};

std::vector<SaveTarget> SaveTargets() {
  const std::string temp = TempFolder();
  // 表 is 0x95 0x5C and ソ is 0x83 0x5C: a trail byte that is a backslash.
  const std::string cp932Folder = temp + "表示ソ";
  std::vector<std::string> longFolders = {temp + "solario-long"};
  for (int i = 0; i < 12; ++i)
    longFolders.push_back(longFolders.back() + "\\solario-long-path-part-" + std::to_string(i));
  return {
      {"missing_folder", {}, temp + "solario-no-such-folder\\report.txt", false, true},
      {"name_of_a_folder", {temp + "solario-a-folder.txt"}, temp + "solario-a-folder.txt", false, true},
      {"cp932_trail_byte_0x5c", {cp932Folder}, cp932Folder + "\\ソ表.txt", true, false},
      // Past MAX_PATH: more than the name field and the ANSI file functions take.
      {"longer_than_max_path", longFolders, longFolders.back() + "\\report.txt", false, true},
  };
}

class BadSaveTargetTest : public CheckerResultTest, public ::testing::WithParamInterface<SaveTarget> {};

TEST_P(BadSaveTargetTest, EndsSavedOrSaysSoAndLosesNothing) {
  const SaveTarget& target = GetParam();
  for (const std::string& folder : target.folders) CreateDirectoryA(folder.c_str(), nullptr);
  DeleteFileA(target.path.c_str());

  ASSERT_TRUE(XClickControl(window_, IDC_SAVE_REPORT));
  const HWND save = WaitForSaveDialog(checker_->ProcessId(), kShowTimeout);
  ASSERT_TRUE(save);
  if (target.typed) {
    ASSERT_TRUE(TypeIntoSaveDialog(save, target.path, target.path.size() < MAX_PATH));
  } else {
    ASSERT_TRUE(AnswerSaveDialog(save, target.path));
  }
  // The dialog may refuse the name itself (its own box, owned by it); the
  // program's own box comes after the dialog has gone.
  HWND failure = nullptr;
  WaitUntil(
      [&] {
        failure = WaitForBoxSaying(checker_->ProcessId(), kSaveFailed, 0);
        if (failure || WaitForOwnedDialog(checker_->ProcessId(), save, 0)) return true;
        return !IsWindow(save) && !ReadFileBytes(target.path).empty();
      },
      // A folder's name makes the dialog browse into it, and nothing else happens.
      8000);
  if (IsWindow(save)) {
    // Refused by the dialog: leave it the way a person would.
    if (const HWND refusal = WaitForOwnedDialog(checker_->ProcessId(), save, 0))
      PostMessageA(refusal, WM_COMMAND, IDOK, 0);
    PostMessageA(save, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(target.saved) << "the dialog refused a name that can be saved";
  }
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(save); }, kShowTimeout));

  const std::string written = ReadFileBytes(target.path);
  if (target.saved) {
    EXPECT_EQ(failure, nullptr) << MessageBoxText(failure);
    EXPECT_EQ(written.rfind("---- ソラリオ for UT-750", 0), 0u) << written.substr(0, 40);
  } else {
    EXPECT_TRUE(written.empty());
    if (failure) {
      EXPECT_NE(MessageBoxText(failure).find(kSaveFailed), std::string::npos);
      PostMessageA(failure, WM_COMMAND, IDOK, 0);
    }
  }
  // Still the program it was: on its result page, answering.
  EXPECT_TRUE(
      WaitUntil([&] { return ProcessWindows(checker_->ProcessId(), "#32770").empty(); }, kShowTimeout));
  DWORD_PTR answer = 0;
  EXPECT_NE(SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer), 0);
  EXPECT_TRUE(OnResultPage(window_));

  DeleteFileA(target.path.c_str());
  for (auto folder = target.folders.rbegin(); folder != target.folders.rend(); ++folder) {
    RemoveDirectoryA(folder->c_str());
  }
}

void PrintTo(const SaveTarget& target, std::ostream* out) { *out << target.name; }

INSTANTIATE_TEST_SUITE_P(Targets, BadSaveTargetTest, ::testing::ValuesIn(SaveTargets()),
                         [](const ::testing::TestParamInfo<SaveTarget>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
