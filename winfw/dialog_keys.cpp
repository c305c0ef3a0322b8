#include "winfw/dialog_keys.h"

namespace {

// The dialog's own record of the last input, kept on its window so that
// every control of it can read it.
const wchar_t kCuesShownProperty[] = L"winfw.FocusCuesShown";

bool IsOwnerDrawnButton(HWND window) {
  wchar_t className[16] = {};
  if (!::GetClassNameW(window, className, 16) || lstrcmpiW(className, L"Button") != 0) return false;
  return (::GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

bool FromDialog(HWND dialog, const MSG& message) {
  return message.hwnd == dialog || ::IsChild(dialog, message.hwnd);
}

}  // namespace

bool FocusCuesShown(HWND window) {
  const HWND dialog = ::GetAncestor(window, GA_ROOT);
  if (!dialog || !::GetPropW(dialog, kCuesShownProperty)) return false;
  return (::SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

void SetFocusCuesShown(HWND dialog, bool shown) {
  // The platform's state follows the record, so that Enter or Space shows
  // the cues on a Windows that would wait for Tab, an arrow key or Alt.
  ::SendMessageW(dialog, WM_CHANGEUISTATE, MAKEWPARAM(shown ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS), 0);
  if ((::GetPropW(dialog, kCuesShownProperty) != nullptr) == shown) return;
  if (shown) {
    ::SetPropW(dialog, kCuesShownProperty, reinterpret_cast<HANDLE>(1));
  } else {
    ::RemovePropW(dialog, kCuesShownProperty);
  }
  const HWND focus = ::GetFocus();
  if (focus && ::IsChild(dialog, focus)) ::InvalidateRect(focus, nullptr, FALSE);
}

void ForgetFocusCues(HWND dialog) { ::RemovePropW(dialog, kCuesShownProperty); }

void FollowInputWithFocusCues(HWND dialog, const MSG& message) {
  if (!FromDialog(dialog, message)) return;
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      SetFocusCuesShown(dialog, true);
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
      SetFocusCuesShown(dialog, false);
      break;
    default:
      break;
  }
}

bool PressFocusedButtonOnEnter(HWND dialog, const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN || !FromDialog(dialog, message))
    return false;
  const HWND focus = ::GetFocus();
  if (!focus || ::GetParent(focus) != dialog || !IsOwnerDrawnButton(focus)) return false;
  if (!::IsWindowVisible(focus) || !::IsWindowEnabled(focus)) return false;
  ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(focus), BN_CLICKED),
                 reinterpret_cast<LPARAM>(focus));
  return true;
}
