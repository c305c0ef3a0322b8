// A Windows whose language for non-Unicode programs is not Japanese: under
// the C locale Wine gives the program code page 1252 instead of 932, as an
// English Windows 7 would.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/result_page_fixture.h"

namespace {

struct WhatTheUserGets {
  Pixels page;
  Pixels details;
  std::string report;  // from its second line on: the first holds the check time
};

class LocaleTest : public CheckerAppTest {
 protected:
  WhatTheUserGets Under(std::vector<std::string> environment, const std::string& reportPath) {
    WhatTheUserGets got;
    environment.push_back(Scenario("connector=5;protection=5;hdcpTakes=0"));
    CheckerProcess checker(kProgram, environment);
    const HWND window = checker.WaitForMainWindow(kShowTimeout);
    if (!window) return got;
    RunCheck(window);
    got.page = CaptureClient(window, RECT{0, 0, 940, 450});
    PressButton(window, IDC_SHOW_DETAILS);
    const HWND details = WaitForDetailDialog(checker.ProcessId());
    if (details) {
      Sleep(300);
      got.details = CaptureClient(details, RECT{0, 0, 500, 450});
      PostMessageA(details, WM_COMMAND, IDCANCEL, 0);
      WaitUntil([&] { return !IsWindow(details); }, kShowTimeout);
    }
    PressButton(window, IDC_SAVE_REPORT);
    const HWND save = WaitForSaveDialog(checker.ProcessId(), kShowTimeout);
    if (save && AnswerSaveDialog(save, reportPath)) WaitUntil([&] { return !IsWindow(save); }, kShowTimeout);
    const std::string report = ReadFileBytes(reportPath);
    got.report = report.substr(std::min(report.size(), report.find("\r\n")));
    PressButton(window, IDC_EXIT);
    checker.WaitForExit(10000);
    return got;
  }
};

TEST_F(LocaleTest, WesternCodePageShowsTheSamePixelsAndSavesTheSameBytes) {
  UseSimulatedDriver();
  // A folder named in Japanese, as under a Japanese user name.
  const std::string folder = TempFolder() + "ソラリオの報告";
  CreateDirectoryA(folder.c_str(), nullptr);
  const WhatTheUserGets japanese = Under({}, folder + "\\日本語.txt");
  const WhatTheUserGets western = Under({"LANG=C.UTF-8", "LC_ALL=C.UTF-8"}, folder + "\\西欧.txt");
  ASSERT_EQ(japanese.page.width, 940);
  EXPECT_EQ(CountDifferences(western.page, japanese.page, 940, 450), 0);
  ASSERT_EQ(japanese.details.width, 500);
  EXPECT_EQ(CountDifferences(western.details, japanese.details, 500, 450), 0);
  EXPECT_NE(japanese.report.find("HDCP"), std::string::npos);
  EXPECT_EQ(western.report, japanese.report);
}

}  // namespace
