#include "winfw/dialog.h"

#include <windowsx.h>

#include "winfw/button.h"
#include "winfw/win_app.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : templateId_(templateId), parent_(parent) {}

CDialog::~CDialog() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}

INT_PTR CDialog::DoModal() {
  const HWND owner = parent_ ? parent_->m_hWnd : nullptr;
  ended_ = false;
  result_ = IDCANCEL;
  const HWND window = ::CreateDialogParamW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(templateId_), owner,
                                           DialogProc, reinterpret_cast<LPARAM>(this));
  if (!window) return -1;
  // Opened from another dialog, it goes on as that one looked: a keyboard
  // user keeps the focus ring.
  SetFocusCuesShown(window, owner && FocusCuesShown(owner));
  if (!ended_ && !::IsWindowVisible(window)) ::ShowWindow(window, SW_SHOWNORMAL);
  if (owner) ::EnableWindow(owner, FALSE);

  bool quit = false;
  int quitCode = 0;
  MSG message;
  while (!ended_) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // A quit request ends this dialog and every dialog around it.
      quit = true;
      quitCode = static_cast<int>(message.wParam);
      if (!ended_) result_ = IDABORT;
      break;
    }
    FollowInputWithFocusCues(window, message);
    if (PressFocusedButtonOnEnter(window, message)) continue;
    if (!::IsDialogMessageW(window, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  // The owner must be usable again before this window goes, or the platform
  // activates some other program's window.
  if (owner) {
    ::EnableWindow(owner, TRUE);
    ::SetActiveWindow(owner);
  }
  DestroyWindow();
  if (quit) ::PostQuitMessage(quitCode);
  return result_;
}

void CDialog::GotoDlgCtrl(HWND control) const {
  if (control) ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void CDialog::EndDialog(int result) {
  result_ = result;
  ended_ = true;
  // Wake the modal loop even when nothing else is queued.
  ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange exchange{this, saveAndValidate};
  DoDataExchange(&exchange);
  return TRUE;
}

BOOL CDialog::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnPaint() {
  PAINTSTRUCT paint;
  ::BeginPaint(m_hWnd, &paint);
  ::EndPaint(m_hWnd, &paint);
}

void CDialog::OnTimer(UINT_PTR) {}

HBRUSH CDialog::OnCtlColor(HDC, HWND, UINT) { return nullptr; }

void CDialog::OnLButtonDown(UINT, POINT) {}

BOOL CDialog::OnCommand(UINT id, UINT code, HWND) {
  if (code == BN_CLICKED && OnButtonClicked(id)) return TRUE;
  if (id == IDOK) {
    OnOK();
    return TRUE;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return TRUE;
  }
  return FALSE;
}

void CDialog::OnOK() {
  UpdateData(TRUE);
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

INT_PTR CDialog::OnMessage(UINT, WPARAM, LPARAM, bool*) { return 0; }

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* dialog = nullptr;
  if (message == WM_INITDIALOG) {
    dialog = reinterpret_cast<CDialog*>(lParam);
    ::SetWindowLongPtrW(window, DWLP_USER, lParam);
    dialog->m_hWnd = window;
  } else {
    dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(window, DWLP_USER));
  }
  if (!dialog) return FALSE;
  bool handled = false;
  const INT_PTR answer = dialog->Dispatch(message, wParam, lParam, &handled);
  if (message == WM_NCDESTROY) {
    ForgetFocusCues(window);
    ::SetWindowLongPtrW(window, DWLP_USER, 0);
    dialog->m_hWnd = nullptr;
  }
  return handled ? answer : FALSE;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
  *handled = true;
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_PAINT:
      OnPaint();
      return TRUE;
    case WM_TIMER:
      OnTimer(static_cast<UINT_PTR>(wParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORDLG: {
      const HBRUSH brush = OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message);
      *handled = brush != nullptr;
      return reinterpret_cast<INT_PTR>(brush);
    }
    case WM_LBUTTONDOWN: {
      const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      OnLButtonDown(static_cast<UINT>(wParam), point);
      return TRUE;
    }
    case WM_COMMAND:
      *handled = OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) != FALSE;
      return TRUE;
    case WM_DRAWITEM: {
      // Owner-draw goes back to the button that knows its pictures.
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      CButton* button = item ? CButton::FromHandle(item->hwndItem) : nullptr;
      if (!button) break;
      button->DrawItem(item);
      return TRUE;
    }
    case WM_DESTROY:
      OnDestroy();
      return TRUE;
    default:
      break;
  }
  *handled = false;
  return OnMessage(message, wParam, lParam, handled);
}
