// The detail dialog and the saved report, through the real program.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

#include "probe/directdraw_probe.h"
#include "probe/display_device.h"
#include "probe/wmi_queries.h"
#include "tests/e2e/e2e_support.h"
#include "tests/e2e/result_page_fixture.h"
#include "tests/e2e/save_dialog_driver.h"
#include "tests/graph_support/test_windows.h"

namespace {

const char kHeading[] = "---- ソラリオ for UT-750　 判定結果 ---- ";
const char kLastLine[] = "        Copyright (C) 2010 ルモラ株式会社 All rights reserved.";
const char kHighDefinitionBlock[] =
    "        グラフィック、ディスプレイの接続状態\r\n"
    "                        :  ◎  ハイビジョン視聴が可能です。\r\n";

// The detail dialog: the process's dialog-class window with a 500 x 450 client.
HWND WaitForDetailDialog(DWORD processId) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND candidate : ProcessWindows(processId, "#32770")) {
          const SIZE size = ClientSize(candidate);
          if (size.cx == 500 && size.cy == 450) {
            found = candidate;
            return true;
          }
        }
        return false;
      },
      kShowTimeout);
  return found;
}

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
  ASSERT_EQ(ControlText(window_, IDC_CPU_MESSAGE), "") << "this machine's processor is not one the page refuses";
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
        for (HWND candidate : ProcessWindows(checker_->ProcessId(), "#32770")) {
          if (candidate != save && GetWindow(candidate, GW_OWNER) == save)
            PostMessageA(candidate, WM_COMMAND, IDYES, 0);
        }
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

TEST_F(CheckerResultTest, DetailDialogShowsTheOwnersTextsAndSavesTheSameReport) {
  const std::string mainPath = TempFolder() + "solario-report-main.txt";
  const std::string detailPath = TempFolder() + "solario-report-detail.txt";
  DeleteFileA(mainPath.c_str());
  DeleteFileA(detailPath.c_str());
  SaveThrough(window_, mainPath, false);

  ASSERT_TRUE(ControlEnabled(window_, IDC_SHOW_DETAILS));
  PressButton(window_, IDC_SHOW_DETAILS);
  const HWND details = WaitForDetailDialog(checker_->ProcessId());
  ASSERT_TRUE(details);
  Sleep(500);
  EXPECT_EQ(GetWindow(details, GW_OWNER), window_);
  EXPECT_FALSE(IsWindowEnabled(window_)) << "the detail dialog is modal";

  // The owner's figures, read again here from the same platform sources.
  const ScopedComApartment com;
  std::string cpuName;
  WmiGetCpuName(&cpuName);
  DISPLAY_DEVICEA device = {};
  device.cb = sizeof(device);
  int position = 0;
  int registryMegabytes = 0;
  int directDrawMegabytes = 0;
  if (FindWindowDisplayDevice(window_, &device)) {
    WmiFindVideoController(device.DeviceID, &position);
    GetRegistryVideoMemory(device, &registryMegabytes);
  }
  std::string graphicsName;
  WmiGetVideoControllerName(position, &graphicsName);
  GetMonitorVideoMemory(window_, &directDrawMegabytes);
  const int megabytes = registryMegabytes ? registryMegabytes : directDrawMegabytes;
  const std::string vram = megabytes > 0 ? std::to_string(megabytes) + " MB" : std::string();

  EXPECT_FALSE(cpuName.empty());
  EXPECT_EQ(ControlText(details, IDC_DETAIL_CPU), cpuName);
  EXPECT_EQ(ControlText(details, IDC_DETAIL_GRAPHICS), graphicsName);
  EXPECT_EQ(ControlText(details, IDC_DETAIL_VRAM), vram)
      << "registry " << registryMegabytes << " MB, DirectDraw " << directDrawMegabytes << " MB";

  ExpectRect(details, IDC_USB_TYPE, 30, 164, 210, 40);
  ExpectRect(details, IDC_DETAIL_CLOSE, 441, 18, 40, 40);
  ExpectRect(details, IDC_SAVE_REPORT, 270, 404, 200, 36);
  ExpectRect(details, IDC_DETAIL_CPU, 85, 290, 375, 30);
  ExpectRect(details, IDC_DETAIL_GRAPHICS, 153, 333, 305, 13);
  ExpectRect(details, IDC_DETAIL_VRAM, 153, 351, 305, 15);
  EXPECT_FALSE(ControlVisible(details, IDC_PCI_TYPE));
  EXPECT_FALSE(ControlEnabled(details, IDC_SPEC_TOP));
  // Control 1065 has no picture: what shows there, inside the client area,
  // is the background.
  RECT blankArea = ControlClientRect(details, IDC_SPEC_TOP);
  blankArea.left = std::max<LONG>(blankArea.left, 0);
  blankArea.top = std::max<LONG>(blankArea.top, 0);
  blankArea.right = std::min<LONG>(blankArea.right, 500);
  blankArea.bottom = std::min<LONG>(blankArea.bottom, 450);
  const Pixels background = LoadPictureResource(kProgram, IDB_DETAIL_BACKGROUND);
  ASSERT_EQ(background.width, 500);
  if (blankArea.right > blankArea.left && blankArea.bottom > blankArea.top) {
    const Pixels shown = CaptureClient(details, blankArea);
    int differences = 0;
    for (int y = 0; y < shown.height; ++y) {
      for (int x = 0; x < shown.width; ++x) {
        differences += shown.At(x, y) != background.At(blankArea.left + x, blankArea.top + y);
      }
    }
    EXPECT_EQ(differences, 0) << "control 1065 drew something";
  }
  ExpectPicture(details, IDB_DETAIL_BACKGROUND, 0, 0, 400, 60);
  // Beyond their short texts, the statics show the picture: no box behind them.
  for (int id : {IDC_DETAIL_GRAPHICS, IDC_DETAIL_VRAM}) {
    const RECT text = ControlClientRect(details, id);
    const RECT tail = {text.right - 30, text.top, text.right, text.bottom};
    const Pixels shownTail = CaptureClient(details, tail);
    int boxPixels = 0;
    for (int y = 0; y < shownTail.height; ++y) {
      for (int x = 0; x < shownTail.width; ++x) {
        boxPixels += shownTail.At(x, y) != background.At(tail.left + x, tail.top + y);
      }
    }
    EXPECT_EQ(boxPixels, 0) << "static " << id;
  }
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

TEST_F(CheckerResultTest, DetailDialogOpensTheTunerPageAndMovesByItsBackground) {
  PressButton(window_, IDC_SHOW_DETAILS);
  const HWND details = WaitForDetailDialog(checker_->ProcessId());
  ASSERT_TRUE(details);
  Sleep(500);

  PressButton(details, IDC_USB_TYPE);
  ASSERT_TRUE(recorder_->WaitForRecord(20000));
  const std::string folder = kProgram.substr(0, kProgram.rfind('\\'));
  EXPECT_EQ(recorder_->Recorded(), folder + "\\GUIDE\\spec_usb_ut750.htm\n");

  RECT before;
  GetWindowRect(details, &before);
  POINT grab = {250, 100};
  ClientToScreen(details, &grab);
  ASSERT_TRUE(XDragBy(grab, -60, 40));
  Sleep(300);
  RECT after;
  GetWindowRect(details, &after);
  EXPECT_EQ(after.left - before.left, -60);
  EXPECT_EQ(after.top - before.top, 40);

  RECT mainBefore;
  GetWindowRect(window_, &mainBefore);
  PostMessageA(details, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(details); }, kShowTimeout));
  POINT mainGrab = {470, 20};
  ClientToScreen(window_, &mainGrab);
  ASSERT_TRUE(XDragBy(mainGrab, 30, 25));
  Sleep(300);
  RECT mainAfter;
  GetWindowRect(window_, &mainAfter);
  EXPECT_EQ(mainAfter.left - mainBefore.left, 30);
  EXPECT_EQ(mainAfter.top - mainBefore.top, 25);
}

}  // namespace
