#include "winfw/button.h"

#include <windowsx.h>

namespace {
const wchar_t kButtonProperty[] = L"winfw.CButton";
}

CButton::~CButton() { Unsubclass(); }

BOOL CButton::SubclassDlgItem(int controlId, CWnd* parent) {
  if (m_hWnd || !parent) return FALSE;
  const HWND control = parent->GetDlgItem(controlId);
  if (!control) return FALSE;
  ::SetPropW(control, kButtonProperty, this);
  originalProc_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
  Attach(control);
  return TRUE;
}

CButton* CButton::FromHandle(HWND window) {
  return window ? static_cast<CButton*>(::GetPropW(window, kButtonProperty)) : nullptr;
}

void CButton::Unsubclass() {
  if (!m_hWnd || !originalProc_) return;
  ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originalProc_));
  ::RemovePropW(m_hWnd, kButtonProperty);
  originalProc_ = nullptr;
  Detach();
}

LRESULT CALLBACK CButton::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CButton* button = FromHandle(window);
  if (!button) return ::DefWindowProcW(window, message, wParam, lParam);
  const WNDPROC original = button->originalProc_;
  switch (message) {
    case WM_MOUSEMOVE:
      button->OnMouseMove(static_cast<UINT>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      break;
    case WM_MOUSELEAVE:
      button->OnMouseLeave();
      break;
    case WM_SETCURSOR:
      if (button->OnSetCursor()) return TRUE;
      break;
    case WM_DESTROY:
      button->OnDestroy();
      break;
    case WM_NCDESTROY: {
      button->Unsubclass();
      return ::CallWindowProcW(original, window, message, wParam, lParam);
    }
    default:
      break;
  }
  return ::CallWindowProcW(original, window, message, wParam, lParam);
}
