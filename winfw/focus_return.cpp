#include "winfw/focus_return.h"

CFocusReturn::CFocusReturn() : focus_(::GetFocus()) {}

CFocusReturn::~CFocusReturn() {
  if (!focus_ || !::IsWindow(focus_) || !::IsWindowVisible(focus_) || !::IsWindowEnabled(focus_)) return;
  // A control goes back through its dialog, so the dialog manager moves its
  // default button along. A top-level window's parent is its owner, another
  // dialog altogether: such a window takes the focus itself.
  if (!(::GetWindowLongPtrW(focus_, GWL_STYLE) & WS_CHILD)) {
    ::SetFocus(focus_);
    return;
  }
  const HWND dialog = ::GetAncestor(focus_, GA_PARENT);
  if (dialog) ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus_), TRUE);
}
