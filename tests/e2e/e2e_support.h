#pragma once

// What every test of the real program shares: where the files are, the
// texts it shows, and a fixture that puts the simulated driver in place.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "res/resource_ids.h"
#include "tests/e2e/prefix_fixtures.h"
#include "tests/e2e/x_input.h"
#include "tests/graph_support/ball_source_dll.h"
#include "tools/window_reading/checker_process.h"
#include "tools/window_reading/window_probe.h"
#include "tests/support/display_messages.h"

inline const DWORD kShowTimeout = 30000;
inline const DWORD kVerdictTimeout = 90000;

inline std::string WindowsPath(std::string path) {
  for (char& c : path) c = c == '/' ? '\\' : c;
  return path;
}

inline const std::string kProgram = WindowsPath(QOR_CHECKER_EXE);
inline const std::string kRecorder = WindowsPath(IEXPLORE_RECORDER_EXE);
inline const std::string kArtifacts = WindowsPath(E2E_ARTIFACT_DIR);

inline const char kUnsupportedOs[] =
    "対応外のOSで実行されているため本プログラムは起動できません。\r\n\r\n"
    "本プログラムを実行するためには以下のスペックが必要です。\r\n\r\n"
    "日本語版Windows 7\r\n日本語版Windows Vista";
inline const char kRetryWarning[] =
    "COPP判定が正しく行えませんでした。再度実行してください。\r\n"
    "マルチモニタ環境の場合はシングルモニタにして、実行してください。";

inline std::string TempFolder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  return temp;
}

inline std::string Scenario(const char* scenario) { return std::string("SIMULATED_DRIVER_SCENARIO=") + scenario; }

inline bool OnResultPage(HWND window) { return ControlVisible(window, IDC_SAVE_REPORT); }

inline void ExpectRect(HWND window, int id, int x, int y, int width, int height) {
  const RECT rect = ControlClientRect(window, id);
  EXPECT_EQ(rect.left, x) << "control " << id;
  EXPECT_EQ(rect.top, y) << "control " << id;
  EXPECT_EQ(rect.right - rect.left, width) << "control " << id;
  EXPECT_EQ(rect.bottom - rect.top, height) << "control " << id;
}

// The picture the program should have painted at (x, y), compared pixel by pixel.
inline void ExpectPicture(HWND window, int bitmapId, int x, int y, int width, int height) {
  const Pixels picture = LoadPictureResource(kProgram, bitmapId);
  ASSERT_GT(picture.width, 0) << bitmapId;
  // A loaded machine may still be painting: give the window a few seconds.
  int differences = -1;
  WaitUntil(
      [&] {
        differences = CountDifferences(CaptureClient(window, RECT{x, y, x + width, y + height}), picture, width, height);
        return differences == 0;
      },
      5000);
  EXPECT_EQ(differences, 0) << "picture " << bitmapId << " at " << x << "," << y;
}

// The box around what a window shows in `area` other than the page's
// background picture: its text. Empty when nothing is there.
inline RECT InkBox(HWND window, int backgroundId, const RECT& area) {
  const Pixels page = LoadPictureResource(kProgram, backgroundId);
  const Pixels shown = CaptureClient(window, area);
  RECT box = {area.right, area.bottom, area.left, area.top};
  for (int y = 0; y < shown.height; ++y) {
    for (int x = 0; x < shown.width; ++x) {
      if (shown.At(x, y) == page.At(area.left + x, area.top + y)) continue;
      box = {std::min<LONG>(box.left, area.left + x), std::min<LONG>(box.top, area.top + y),
             std::max<LONG>(box.right, area.left + x + 1), std::max<LONG>(box.bottom, area.top + y + 1)};
    }
  }
  return box;
}

// The lowest row of `area`, counted from its top, that shows ink; -1 when none does.
inline int LowestInkRow(HWND window, int backgroundId, const RECT& area) {
  return InkBox(window, backgroundId, area).bottom - area.top - 1;
}

// The left part of the display message's static (198, 314, 260 x 30), where
// every line starts and the solution button below does not reach.
inline const RECT kDisplayMessageLeft = {198, 314, 293, 344};

// Line height of the dialogs' face (8 points) in this prefix.
inline int DialogFaceLineHeight() {
  HDC screen = GetDC(nullptr);
  HFONT face = CreateFontA(-MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                           FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, "MS Shell Dlg");
  HGDIOBJ previous = SelectObject(screen, face);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(screen, &metrics);
  SelectObject(screen, previous);
  DeleteObject(face);
  ReleaseDC(nullptr, screen);
  return metrics.tmHeight;
}

inline void SaveArtifact(HWND window, const char* name) {
  CreateDirectoryA(kArtifacts.c_str(), nullptr);
  SaveClientScreenshot(window, kArtifacts + "\\" + name + ".bmp");
}

class CheckerAppTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (simRendererRegistered_) simRenderer_.Unregister();
  }
  void UseSimulatedDriver() {
    ASSERT_EQ(S_OK, simRenderer_.Register());
    simRendererRegistered_ = true;
  }
  // Starts the check with a real click and waits for the result page.
  void RunCheck(HWND window) {
    ASSERT_TRUE(XClickControl(window, IDC_START_CHECK));
    ASSERT_TRUE(WaitUntil([&] { return OnResultPage(window); }, kVerdictTimeout));
    Sleep(300);  // the repaint after the verdict
  }

  SimRendererDll simRenderer_;
  bool simRendererRegistered_ = false;
};

