// The real program as a keyboard user and a high-DPI notebook meet it: real
// key events, and the screen's DPI set before the program starts.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "tests/e2e/e2e_support.h"
#include "tests/e2e/save_dialog_driver.h"

namespace {

struct ButtonArea {
  int id;
  int stripId;
  RECT rect;
};

const ButtonArea kButtons[] = {
    {IDC_SHOW_DETAILS, IDB_DETAILS_BUTTON, {645, 88, 895, 128}},
    {IDC_OPEN_SOLUTION, IDB_SOLUTION_BUTTON, {293, 335, 453, 371}},
    {IDC_SAVE_REPORT, IDB_SAVE_BUTTON, {725, 400, 925, 436}},
    {IDC_EXIT, IDB_EXIT_BUTTON, {883, 18, 923, 58}},
};

const ButtonArea& ButtonOf(int id) {
  for (const ButtonArea& button : kButtons) {
    if (button.id == id) return button;
  }
  return kButtons[0];
}

// Pixels of the button that differ from its normal look (image 0): its focus cue.
int DifferencesFromNormalLook(HWND window, int id) {
  const ButtonArea& button = ButtonOf(id);
  const int width = button.rect.right - button.rect.left;
  const int height = button.rect.bottom - button.rect.top;
  const Pixels normal = PictureRows(LoadPictureResource(kProgram, button.stripId), 0, height);
  return CountDifferences(CaptureClient(window, button.rect), normal, width, height);
}

bool FocusBecomes(HWND window, int id) {
  return WaitUntil([&] { return FocusedControlId(window) == id; }, 5000);
}

// Tabs until `to` has the focus; false when it never comes.
bool TabTo(HWND window, int to) {
  for (int i = 0; i < 5 && FocusedControlId(window) != to; ++i) {
    if (!XPressKey("Tab")) return false;
    WaitUntil([&] { return FocusedControlId(window) == to; }, 1000);
  }
  return FocusedControlId(window) == to;
}

struct KeyboardCase {
  const char* name;
  const char* scenario;
  int firstFocus;
  // What Tab visits after the first button, round to it again.
  std::vector<int> tabCycle;
};

class KeyboardTest : public CheckerAppTest, public ::testing::WithParamInterface<KeyboardCase> {};

TEST_P(KeyboardTest, EnterTabAndEscapeWorkTheFocusedButtons) {
  const KeyboardCase& c = GetParam();
  UseSimulatedDriver();
  CheckerProcess checker(WindowsPath(SEAMED_CHECKER_EXE),
                         {Scenario(c.scenario), "SOLARIO_TEST_MEMORY_MB=4096"});
  const HWND window = checker.WaitForMainWindow(kShowTimeout);
  ASSERT_TRUE(window);
  // Keys go to the window under the pointer on a display without a window
  // manager: rest it on the title band, where no button is.
  POINT titleBand = {470, 20};
  ClientToScreen(window, &titleBand);
  ASSERT_TRUE(XMovePointer(titleBand));
  ASSERT_TRUE(FocusBecomes(window, IDC_START_CHECK));

  // Enter on the start button runs the check instead of ending the program.
  ASSERT_TRUE(XPressKey("Return"));
  ASSERT_TRUE(WaitUntil([&] { return OnResultPage(window); }, kVerdictTimeout));
  ASSERT_TRUE(FocusBecomes(window, c.firstFocus));
  EXPECT_TRUE(WaitUntil([&] { return DifferencesFromNormalLook(window, c.firstFocus) > 0; }, 3000))
      << "a keyboard user sees where the focus is";
  SaveArtifact(window, (std::string("keyboard-") + c.name).c_str());

  int previous = c.firstFocus;
  for (int next : c.tabCycle) {
    ASSERT_TRUE(XPressKey("Tab"));
    EXPECT_TRUE(FocusBecomes(window, next)) << "Tab from " << previous << " to " << next;
    EXPECT_TRUE(WaitUntil([&] { return DifferencesFromNormalLook(window, previous) == 0; }, 3000))
        << previous;
    EXPECT_TRUE(WaitUntil([&] { return DifferencesFromNormalLook(window, next) > 0; }, 3000)) << next;
    previous = next;
  }
  ASSERT_TRUE(XPressKey("shift+Tab"));
  EXPECT_TRUE(FocusBecomes(window, c.tabCycle[c.tabCycle.size() - 2])) << "Shift+Tab goes back";

  // Enter on the save button opens the save dialog; the focus comes back.
  ASSERT_TRUE(TabTo(window, IDC_SAVE_REPORT));
  ASSERT_TRUE(XPressKey("Return"));
  const HWND save = WaitForSaveDialog(checker.ProcessId(), kShowTimeout);
  ASSERT_TRUE(save) << "Enter on ファイルに保存 opens the save dialog";
  ASSERT_TRUE(XPressKey("Escape"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(save); }, kShowTimeout));
  EXPECT_TRUE(FocusBecomes(window, IDC_SAVE_REPORT));

  if (ControlEnabled(window, IDC_SHOW_DETAILS)) {
    ASSERT_TRUE(TabTo(window, IDC_SHOW_DETAILS));
    ASSERT_TRUE(XPressKey("Return"));
    const HWND details = WaitForOwnedDialog(checker.ProcessId(), window, kShowTimeout);
    ASSERT_TRUE(details);
    EXPECT_TRUE(FocusBecomes(details, IDC_DETAIL_CLOSE));
    ASSERT_TRUE(XPressKey("Return"));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(details); }, kShowTimeout)) << "Enter on 閉じる closes";
    EXPECT_TRUE(FocusBecomes(window, IDC_SHOW_DETAILS));
  }

  ASSERT_TRUE(XPressKey("Escape"));
  DWORD exitCode = 1;
  EXPECT_TRUE(checker.WaitForExit(10000, &exitCode)) << "Escape ends the program from the result page";
  EXPECT_EQ(exitCode, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeyboardTest,
    ::testing::Values(KeyboardCase{"high_definition",
                                   "connector=5;protection=5",
                                   IDC_SHOW_DETAILS,
                                   {IDC_SAVE_REPORT, IDC_EXIT, IDC_SHOW_DETAILS}},
                      KeyboardCase{"no_hdcp",
                                   "connector=5;protection=5;hdcpTakes=0",
                                   IDC_OPEN_SOLUTION,
                                   {IDC_SAVE_REPORT, IDC_EXIT, IDC_OPEN_SOLUTION}},
                      KeyboardCase{"downscaled",
                                   "bus=4;connector=0;protection=4",
                                   IDC_SHOW_DETAILS,
                                   {IDC_OPEN_SOLUTION, IDC_SAVE_REPORT, IDC_EXIT, IDC_SHOW_DETAILS}}),
    [](const ::testing::TestParamInfo<KeyboardCase>& info) { return std::string(info.param.name); });

class ScreenDpiTest : public CheckerAppTest, public ::testing::WithParamInterface<const char*> {
 protected:
  // The whole result page after a check started with the pointer.
  Pixels ResultPageAt(DWORD dpi, const std::string& name) {
    ScopedScreenDpi screen(dpi);
    CheckerProcess checker(kProgram, {Scenario(GetParam())});
    const HWND window = checker.WaitForMainWindow(kShowTimeout);
    if (!window) return Pixels();
    RunCheck(window);
    // A text cut off by its static leaves ink on the static's last row.
    for (int id : {IDC_OS_STATUS, IDC_MEMORY_STATUS, IDC_DISPLAY_MESSAGE, IDC_CPU_MESSAGE}) {
      RECT rect = ControlClientRect(window, id);
      if (id == IDC_DISPLAY_MESSAGE) rect = kDisplayMessageLeft;
      EXPECT_LT(InkBox(window, IDB_RESULT_PAGE, rect).bottom, rect.bottom - 1)
          << id << " at " << dpi << " DPI";
    }
    if (ControlVisible(window, IDC_OPEN_SOLUTION)) {
      // The message's rows beside the solution button leave a glyph's width
      // free before it: a line that ran on would go on underneath it.
      const RECT besideButton = {198, 335, 293, 344};
      EXPECT_LT(InkBox(window, IDB_RESULT_PAGE, besideButton).right, 293 - 16) << dpi << " DPI";
      // And a mouse user sees no focus cue on the button.
      EXPECT_EQ(DifferencesFromNormalLook(window, IDC_OPEN_SOLUTION), 0) << dpi << " DPI";
    }
    const Pixels page = CaptureClient(window, RECT{0, 0, 940, 450});
    SaveArtifact(window, ("result-" + name + "-" + std::to_string(dpi) + "dpi").c_str());
    PressButton(window, IDC_EXIT);
    checker.WaitForExit(10000);
    return page;
  }
};

TEST_P(ScreenDpiTest, ResultPageIsTheSamePixelsAt120And144Dpi) {
  UseSimulatedDriver();
  const std::string row =
      std::string(GetParam()).find("hdcpTakes") == std::string::npos ? "high-definition" : "no-hdcp";
  const Pixels at96 = ResultPageAt(96, row);
  ASSERT_EQ(at96.width, 940);
  for (DWORD dpi : {120u, 144u}) {
    const Pixels page = ResultPageAt(dpi, row);
    ASSERT_EQ(page.width, 940) << dpi;
    EXPECT_EQ(CountDifferences(page, at96, 940, 450), 0) << dpi << " DPI against 96 DPI";
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, ScreenDpiTest,
                         ::testing::Values("connector=5;protection=5",
                                           "connector=5;protection=5;hdcpTakes=0"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.index == 0 ? "high_definition" : "no_hdcp");
                         });

}  // namespace
