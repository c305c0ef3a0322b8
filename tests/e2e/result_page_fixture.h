#pragma once

// A started program on its result page after a good check, and saving its
// report through the real dialog.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/e2e/e2e_support.h"
#include "tests/e2e/save_dialog_driver.h"

class CheckerResultTest : public CheckerAppTest {
 protected:
  void SetUp() override {
    UseSimulatedDriver();
    // The program hands its environment to the browser: the recorder must
    // be in place before the program starts.
    recorder_.reset(new ScopedBrowserRecorder(kRecorder, TempFolder() + "iexplore-detail.txt"));
    ASSERT_TRUE(recorder_->Installed());
    checker_.reset(new CheckerProcess(kProgram, {Scenario("connector=5;protection=5")}));
    window_ = checker_->WaitForMainWindow(kShowTimeout);
    ASSERT_TRUE(window_);
    RunCheck(window_);
  }
  // Saves through the button of `dialog` into `path`, confirming an overwrite:
  // a real click, then the name typed on the keyboard.
  void SaveThrough(HWND dialog, const std::string& path, bool expectOverwritePrompt) {
    ASSERT_TRUE(XClickControl(dialog, IDC_SAVE_REPORT));
    const HWND save = WaitForSaveDialog(checker_->ProcessId(), kShowTimeout);
    ASSERT_TRUE(save);
    ASSERT_TRUE(TypeIntoSaveDialog(save, path));
    if (expectOverwritePrompt) {
      const HWND confirm = WaitForOwnedDialog(checker_->ProcessId(), save, kShowTimeout);
      ASSERT_TRUE(confirm);
      PostMessageA(confirm, WM_COMMAND, IDYES, 0);
    }
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(save); }, kShowTimeout));
    Sleep(300);
  }

  std::unique_ptr<ScopedBrowserRecorder> recorder_;
  std::unique_ptr<CheckerProcess> checker_;
  HWND window_ = nullptr;
};
