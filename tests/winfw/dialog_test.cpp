#include "winfw/dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "winfw/button.h"
#include "winfw/win_app.h"

namespace {

CWinApp g_app;

class RecordingButton : public CButton {
 public:
  void DrawItem(const DRAWITEMSTRUCT* item) override { drawnStates.push_back(item->itemState); }
  std::vector<UINT> drawnStates;
  int mouseMoves = 0;
  bool destroyed = false;

 protected:
  void OnMouseMove(UINT, POINT) override { ++mouseMoves; }
  void OnDestroy() override { destroyed = true; }
};

// A dialog whose every step the test scripts through a timer.
class ScriptedDialog : public CDialog {
 public:
  using Step = void (*)(ScriptedDialog*);
  explicit ScriptedDialog(Step step, CWnd* parent = nullptr) : CDialog(100, parent), step_(step) {}

  BOOL DestroyWindow() override {
    destroyWindowCalls++;
    windowAtDestroy = IsWindow(m_hWnd) != FALSE;
    return CDialog::DestroyWindow();
  }

  std::string text = "from the member";
  RecordingButton button;
  std::vector<std::string> events;
  int destroyWindowCalls = 0;
  bool windowAtDestroy = false;

 protected:
  void DoDataExchange(CDataExchange* exchange) override {
    DDX_Text(exchange, 1001, text);
    DDX_Control(exchange, 1002, button);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    events.push_back("init");
    SetTimer(m_hWnd, 7, 10, nullptr);
    return TRUE;
  }
  void OnTimer(UINT_PTR id) override {
    KillTimer(m_hWnd, id);
    events.push_back("timer " + std::to_string(id));
    step_(this);
  }
  void OnDestroy() override { events.push_back("destroy"); }
  void OnOK() override {
    events.push_back("ok");
    CDialog::OnOK();
  }
  void OnCancel() override {
    events.push_back("cancel");
    CDialog::OnCancel();
  }

 private:
  Step step_;
};

TEST(CDialogTest, ModalLoopRunsInitTimerAndOkThenDestroysThroughTheOverride) {
  ScriptedDialog dialog([](ScriptedDialog* d) {
    EXPECT_EQ(d->GetText(), "");
    EXPECT_EQ(CWnd().GetSafeHwnd(), nullptr);
    char shown[64] = {};
    GetDlgItemTextA(d->m_hWnd, 1001, shown, sizeof(shown));
    EXPECT_STREQ(shown, "from the member");
    SetDlgItemTextA(d->m_hWnd, 1001, "typed by the user");
    PostMessageA(d->m_hWnd, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.text, "typed by the user") << "OK saves the controls into the members";
  const std::vector<std::string> expected = {"init", "timer 7", "ok", "destroy"};
  EXPECT_EQ(dialog.events, expected);
  EXPECT_EQ(dialog.destroyWindowCalls, 1);
  EXPECT_TRUE(dialog.windowAtDestroy);
  EXPECT_EQ(dialog.m_hWnd, nullptr);
  EXPECT_TRUE(dialog.button.destroyed);
  EXPECT_EQ(dialog.button.GetSafeHwnd(), nullptr) << "the button lets go of its window";
}

TEST(CDialogTest, EscapeCancels) {
  ScriptedDialog dialog([](ScriptedDialog* d) {
    const HWND focus = GetDlgItem(d->m_hWnd, IDOK);
    SetFocus(focus);
    PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  ASSERT_GE(dialog.events.size(), 3u);
  EXPECT_EQ(dialog.events[2], "cancel");
}

TEST(CDialogTest, OwnerDrawAndMouseMovesReachTheButton) {
  ScriptedDialog dialog([](ScriptedDialog* d) {
    const HWND button = GetDlgItem(d->m_hWnd, 1002);
    EXPECT_EQ(CButton::FromHandle(button), &d->button);
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    InvalidateRect(button, nullptr, TRUE);
    UpdateWindow(button);
    EnableWindow(button, FALSE);
    UpdateWindow(button);
    d->EndDialog(42);
  });
  ShowWindow(GetDesktopWindow(), SW_SHOW);
  EXPECT_EQ(dialog.DoModal(), 42);
  EXPECT_EQ(dialog.button.mouseMoves, 1);
  ASSERT_FALSE(dialog.button.drawnStates.empty());
  EXPECT_TRUE(dialog.button.drawnStates.back() & ODS_DISABLED);
}

TEST(CDialogTest, AQuitRequestEndsTheInnerAndTheOuterDialog) {
  ScriptedDialog outer([](ScriptedDialog* d) {
    ScriptedDialog inner([](ScriptedDialog*) { PostQuitMessage(3); }, d);
    EXPECT_EQ(inner.DoModal(), IDABORT);
    EXPECT_EQ(inner.destroyWindowCalls, 1);
    EXPECT_TRUE(IsWindowEnabled(d->m_hWnd)) << "the owner is usable again";
  });
  EXPECT_EQ(outer.DoModal(), IDABORT);
  EXPECT_EQ(outer.destroyWindowCalls, 1);
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 3u);
}

TEST(CDialogTest, AMissingTemplateGivesMinusOne) {
  class Missing : public CDialog {
   public:
    Missing() : CDialog(999, nullptr) {}
  } missing;
  EXPECT_EQ(missing.DoModal(), -1);
}

TEST(CWinAppTest, TheApplicationObjectIsFoundAndNamesItsBoxes) {
  EXPECT_EQ(AfxGetApp(), &g_app);
  EXPECT_STREQ(AfxGetAppName(), "qorChecker");
  g_app.m_pszAppName = "ソラリオ for UT-750";
  EXPECT_STREQ(AfxGetAppName(), "ソラリオ for UT-750");
  g_app.m_pszAppName = nullptr;
  EXPECT_EQ(g_app.Start(GetModuleHandleA(nullptr), SW_SHOW), 0) << "the default start routine runs no loop";
}

TEST(DialogKeysTest, FocusCuesFollowTheLastInputAndPassToADialogOpenedFromIt) {
  ScriptedDialog outer([](ScriptedDialog* d) {
    const HWND button = GetDlgItem(d->m_hWnd, 1002);
    EXPECT_FALSE(FocusCuesShown(button)) << "a dialog opens without cues";
    const struct {
      UINT message;
      bool shown;
    } inputs[] = {{WM_KEYDOWN, true}, {WM_LBUTTONDOWN, false}, {WM_SYSKEYDOWN, true}};
    for (const auto& input : inputs) {
      FollowInputWithFocusCues(d->m_hWnd, MSG{button, input.message, 0, 0, 0, {0, 0}});
      EXPECT_EQ(FocusCuesShown(button), input.shown) << std::hex << input.message;
    }
    ScriptedDialog inner([](ScriptedDialog* i) {
      EXPECT_TRUE(FocusCuesShown(GetDlgItem(i->m_hWnd, 1002))) << "opened from the keyboard";
      i->EndDialog(1);
    }, d);
    inner.DoModal();
    d->EndDialog(1);
  });
  outer.DoModal();
}

}  // namespace
