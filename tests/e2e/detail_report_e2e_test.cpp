// The detail dialog and the saved report, through the real program.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "tests/e2e/e2e_support.h"
#include "tests/e2e/result_page_fixture.h"
#include "tests/e2e/save_dialog_driver.h"
#include "tests/e2e/system_texts.h"
#include "tests/graph_support/test_windows.h"
#include "tests/support/driver_memory_size.h"

namespace {

const char kHeading[] = "---- ソラリオ for UT-750　 判定結果 ---- ";
const char kLastLine[] = "        Copyright (C) 2010 ルモラ株式会社 All rights reserved.";
const char kHighDefinitionBlock[] =
    "        グラフィック、ディスプレイの接続状態\r\n"
    "                        :  ◎  ハイビジョン視聴が可能です。\r\n";

// The processor as the detail dialog names it: WMI's name without the
// blanks some makers pad it with, and the highest clock, from 1000 MHz in GHz.
std::string ProcessorText() {
  std::string name = WmiText(L"Win32_Processor", L"Name");
  name.erase(0, name.find_first_not_of(' '));
  const int megahertz = std::atoi(WmiText(L"Win32_Processor", L"MaxClockSpeed").c_str());
  char clock[32];
  if (megahertz < 1000) snprintf(clock, sizeof(clock), " %d MHz", megahertz);
  if (megahertz >= 1000) snprintf(clock, sizeof(clock), " %.2f GHz", megahertz / 1000.0);
  return name + clock;
}

// The detail dialog's video memory is the driver's own figure; DirectDraw's
// only where the driver wrote none.
class DriverMemoryTest : public CheckerResultTest {
 protected:
  ScopedDriverMemorySize driverMemory_;
};
// 240 MB, a figure DirectDraw does not give here.
struct DriverSays240MB : DriverMemoryTest {
  DriverSays240MB() { EXPECT_TRUE(driverMemory_.Write(REG_DWORD, {0x00, 0x00, 0x00, 0x0F})); }
};
struct DriverSaysNothing : DriverMemoryTest {
  DriverSaysNothing() { driverMemory_.Delete(); }
};

// The shipped program, not the test build: its own marks and banner, and a
// display message that is whole within its two lines.
TEST_F(CheckerResultTest, TheShippedProgramPaintsTheHighDefinitionPage) {
  struct MemoryLook {
    const char* status;
    int mark;
    int banner;
  };
  static const MemoryLook kLooks[] = {
      {"推奨環境です", IDB_MARK_DOUBLE_CIRCLE, IDB_BANNER_SUITABLE},
      {"必須環境です", IDB_MARK_CIRCLE, IDB_BANNER_LIMITED},
      {"メモリの増設が必要です  2048MB 以上必要です", IDB_MARK_CROSS, IDB_BANNER_UNSUITABLE},
  };
  EXPECT_EQ(ControlText(window_, IDC_DISPLAY_MESSAGE), HighDefinitionMessage());
  ASSERT_EQ(ControlText(window_, IDC_CPU_MESSAGE), "")
      << "this machine's processor is not one the page refuses";
  const std::string memoryStatus = ControlText(window_, IDC_MEMORY_STATUS);
  const MemoryLook* look = nullptr;
  for (const MemoryLook& candidate : kLooks) {
    if (memoryStatus == candidate.status) look = &candidate;
  }
  ASSERT_TRUE(look) << memoryStatus;
  ExpectPicture(window_, IDB_MARK_DOUBLE_CIRCLE, 57, 204, 50, 50);
  ExpectPicture(window_, look->mark, 497, 204, 50, 50);
  ExpectPicture(window_, IDB_MARK_DOUBLE_CIRCLE, 57, 309, 50, 50);
  ExpectPicture(window_, look->banner, 150, 78, 480, 60);
  const int lowestInk = LowestInkRow(window_, IDB_RESULT_PAGE, kDisplayMessageLeft);
  EXPECT_GE(lowestInk, DialogFaceLineHeight()) << "the message belongs on the second line";
  EXPECT_LT(lowestInk, 2 * DialogFaceLineHeight()) << "the message runs onto a third line";
}

TEST_F(CheckerResultTest, SavingTwiceReplacesTheFileWithTheWholeReport) {
  const std::string path = TempFolder() + "solario-report-twice.txt";
  ASSERT_TRUE(WriteFileBytes(path, "an older file that must go"));
  SaveThrough(window_, path, true);
  const std::string first = ReadFileBytes(path);
  SaveThrough(window_, path, true);
  const std::string second = ReadFileBytes(path);

  ASSERT_EQ(first.rfind(kHeading, 0), 0u) << first;
  EXPECT_EQ(first.size() - first.rfind(kLastLine), sizeof(kLastLine) - 1)
      << "ends with the notice, no line end";
  EXPECT_NE(first.find(kHighDefinitionBlock), std::string::npos);
  EXPECT_NE(first.find("ソラリオ for UT-750 Ver . 5, 0, 0, 7567\r\n"), std::string::npos);
  EXPECT_EQ(first.find("\n\n"), std::string::npos) << "every line ends with CR LF";
  EXPECT_EQ(second, first);
  EXPECT_EQ(ReadFileBytes(path).find("older"), std::string::npos);
  SaveArtifact(window_, "report-saved");
  WriteFileBytes(kArtifacts + "\\qorChekerLog.txt", first);
  DeleteFileA(path.c_str());
}

TEST_F(CheckerResultTest, ASaveThatCannotBeWrittenSaysSoAndKeepsTheOldFile) {
  const std::string path = TempFolder() + "solario-report-readonly.txt";
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_TRUE(WriteFileBytes(path, "keep me"));
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));

  PressButton(window_, IDC_SAVE_REPORT);
  const HWND save = WaitForSaveDialog(checker_->ProcessId(), kShowTimeout);
  ASSERT_TRUE(save);
  ASSERT_TRUE(AnswerSaveDialog(save, path));
  // A read-only name may be refused by the dialog itself or by the save.
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        box = WaitForBoxSaying(checker_->ProcessId(), "保存できませんでした", 0);
        if (box) return true;
        if (const HWND confirm = WaitForOwnedDialog(checker_->ProcessId(), save, 0))
          PostMessageA(confirm, WM_COMMAND, IDYES, 0);
        return false;
      },
      kShowTimeout));
  EXPECT_NE(MessageBoxText(box).find(path), std::string::npos) << MessageBoxText(box);
  EXPECT_EQ(WindowTextOf(box), "ソラリオ for UT-750");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(ReadFileBytes(path), "keep me");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
}

TEST_F(DriverSays240MB, DetailDialogShowsProcessorGraphicsAndVideoMemoryAndSavesTheSameReport) {
  const std::string mainPath = TempFolder() + "solario-report-main.txt";
  const std::string detailPath = TempFolder() + "solario-report-detail.txt";
  DeleteFileA(mainPath.c_str());
  DeleteFileA(detailPath.c_str());
  SaveThrough(window_, mainPath, false);

  ASSERT_TRUE(ControlEnabled(window_, IDC_SHOW_DETAILS));
  PressButton(window_, IDC_SHOW_DETAILS);
  const HWND details = WaitForOwnedDialog(checker_->ProcessId(), window_, kShowTimeout);
  ASSERT_TRUE(details);
  Sleep(500);
  EXPECT_EQ(ClientSize(details).cx, 500);
  EXPECT_EQ(ClientSize(details).cy, 450);
  EXPECT_FALSE(IsWindowEnabled(window_)) << "the detail dialog is modal";

  const ScopedComApartment com;
  EXPECT_EQ(ControlText(details, IDC_DETAIL_CPU), ProcessorText());
  // The prefix has one display adapter, so whichever the window is on, it is this one.
  EXPECT_EQ(ControlText(details, IDC_DETAIL_GRAPHICS), WmiText(L"Win32_VideoController", L"Name"));
  EXPECT_EQ(ControlText(details, IDC_DETAIL_VRAM), "240 MB");

  ExpectRect(details, IDC_USB_TYPE, 30, 164, 210, 40);
  ExpectRect(details, IDC_DETAIL_CLOSE, 441, 18, 40, 40);
  ExpectRect(details, IDC_SAVE_REPORT, 270, 404, 200, 36);
  ExpectRect(details, IDC_DETAIL_CPU, 85, 290, 375, 30);
  ExpectRect(details, IDC_DETAIL_GRAPHICS, 153, 333, 305, 13);
  ExpectRect(details, IDC_DETAIL_VRAM, 153, 351, 305, 15);
  EXPECT_FALSE(ControlVisible(details, IDC_PCI_TYPE));
  EXPECT_FALSE(ControlEnabled(details, IDC_SPEC_TOP));
  // Control 1065 has no picture, and beyond their short texts the statics
  // have no box: what shows there, inside the client area, is the background.
  ASSERT_EQ(LoadPictureResource(kProgram, IDB_DETAIL_BACKGROUND).width, 500);
  const RECT client = {0, 0, 500, 450};
  for (int id : {IDC_SPEC_TOP, IDC_DETAIL_GRAPHICS, IDC_DETAIL_VRAM}) {
    RECT area = ControlClientRect(details, id);
    if (id != IDC_SPEC_TOP) area.left = area.right - 30;
    IntersectRect(&area, &area, &client);
    const RECT ink = InkBox(details, IDB_DETAIL_BACKGROUND, area);
    EXPECT_TRUE(IsRectEmpty(&ink)) << "control " << id << " drew something";
  }
  ExpectPicture(details, IDB_DETAIL_BACKGROUND, 0, 0, 400, 60);
  ExpectPicture(details, IDB_USB_TYPE_BUTTON, 30, 164, 210, 40);
  SaveArtifact(details, "detail-dialog");

  SaveThrough(details, detailPath, false);
  const std::string fromMain = ReadFileBytes(mainPath);
  EXPECT_FALSE(fromMain.empty());
  EXPECT_EQ(ReadFileBytes(detailPath), fromMain);
  EXPECT_TRUE(IsWindow(details)) << "saving leaves the detail dialog open";

  PressButton(details, IDC_DETAIL_CLOSE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(details); }, kShowTimeout));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(window_) != FALSE; }, kShowTimeout));
  DeleteFileA(mainPath.c_str());
  DeleteFileA(detailPath.c_str());
}

TEST_F(DriverSaysNothing, DetailDialogShowsDirectDrawsFigureOpensTheTunerPageAndMovesByItsBackground) {
  PressButton(window_, IDC_SHOW_DETAILS);
  const HWND details = WaitForOwnedDialog(checker_->ProcessId(), window_, kShowTimeout);
  ASSERT_TRUE(details);
  Sleep(500);
  ASSERT_GT(DirectDrawLocalMegabytes(), 0);
  EXPECT_EQ(ControlText(details, IDC_DETAIL_VRAM), std::to_string(DirectDrawLocalMegabytes()) + " MB");

  PressButton(details, IDC_USB_TYPE);
  ASSERT_TRUE(recorder_->WaitForRecord(20000));
  const std::string folder = kProgram.substr(0, kProgram.rfind('\\'));
  EXPECT_EQ(recorder_->Recorded(), "\"" + folder + "\\GUIDE\\spec_usb_ut750.htm\"\n");

  // Either window moves by as far as its background is dragged.
  const auto expectDragMoves = [](HWND window, POINT grab, int dx, int dy) {
    RECT before, after;
    GetWindowRect(window, &before);
    ClientToScreen(window, &grab);
    ASSERT_TRUE(XDragBy(grab, dx, dy));
    Sleep(300);
    GetWindowRect(window, &after);
    EXPECT_EQ(after.left - before.left, dx);
    EXPECT_EQ(after.top - before.top, dy);
  };
  expectDragMoves(details, {250, 100}, -60, 40);
  PostMessageA(details, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(details); }, kShowTimeout));
  expectDragMoves(window_, {470, 20}, 30, 25);
}

}  // namespace
