#include "ui/widgets/col_btn.h"

#include <gtest/gtest.h>

#include "tests/ui/widgets/test_dialog_window.h"

namespace {

// A dialog-class window with one owner-drawn button, wrapped for the widget.
class ButtonHost {
 public:
  ButtonHost() : dialog_(WS_POPUP | WS_VISIBLE, 0, 300, 200) {
    button_ = CreateWindowExA(0, "BUTTON", "x", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 20, 77, 33, dialog_.get(),
                              reinterpret_cast<HMENU>(1060), GetModuleHandleA(nullptr), nullptr);
    parent_.Attach(dialog_.get());
  }
  ~ButtonHost() { parent_.Detach(); }
  CWnd* parent() { return &parent_; }
  HWND button() const { return button_; }

 private:
  TestDialogWindow dialog_;
  HWND button_;
  CWnd parent_;
};

TEST(CColBtnTest, AStripThatIsNotThereLeavesTheButtonWithoutAPicture) {
  ButtonHost host;
  CColBtn button;
  ASSERT_TRUE(button.SubclassDlgItem(1060, host.parent()));
  EXPECT_TRUE(button.SetStateBitmap(9999, host.parent(), 1, nullptr, 0));
  EXPECT_FALSE(button.hasPicture());
  EXPECT_EQ(button.imageWidth(), 0);
  EXPECT_EQ(button.imageHeight(), 0);
  // The button keeps its own size and draws nothing, in every state.
  RECT rect;
  GetWindowRect(host.button(), &rect);
  EXPECT_EQ(rect.right - rect.left, 77);
  EXPECT_EQ(rect.bottom - rect.top, 33);
  HDC dc = GetDC(host.button());
  for (UINT state : {0u, static_cast<UINT>(ODS_SELECTED), static_cast<UINT>(ODS_DISABLED)}) {
    DRAWITEMSTRUCT item = {ODT_BUTTON, 1060, 0, ODA_DRAWENTIRE, state, host.button(), dc, {0, 0, 77, 33}, 0};
    button.DrawItem(&item);
  }
  ReleaseDC(host.button(), dc);
  // Moving over and away is safe without a picture, and the pointer stays.
  SendMessageA(host.button(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  SendMessageA(host.button(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

// Leaving puts the arrow back rather than no cursor at all.
TEST(CColBtnTest, EnabledButtonsShowTheHandAndDisabledOnesOrLeavingTheArrow) {
  ButtonHost host;
  CColBtn button;
  ASSERT_TRUE(button.SubclassDlgItem(1060, host.parent()));
  button.SetStateBitmap(9999, host.parent(), 1, nullptr, 0);
  const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  SendMessageA(host.button(), WM_SETCURSOR, reinterpret_cast<WPARAM>(host.button()), overClient);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
  SendMessageA(host.button(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
  EnableWindow(host.button(), FALSE);
  SetCursor(LoadCursorA(nullptr, IDC_HAND));
  SendMessageA(host.button(), WM_SETCURSOR, reinterpret_cast<WPARAM>(host.button()), overClient);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

TEST(CColBtnTest, TheButtonLetsGoOfItsWindowWhenTheWindowIsDestroyed) {
  CColBtn button;
  {
    ButtonHost host;
    ASSERT_TRUE(button.SubclassDlgItem(1060, host.parent()));
    EXPECT_EQ(CButton::FromHandle(host.button()), &button);
  }
  EXPECT_EQ(button.GetSafeHwnd(), nullptr);
}

}  // namespace
