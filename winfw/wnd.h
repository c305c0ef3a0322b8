#pragma once

#include <windows.h>

#include <string>

// A window handle with the few members the dialogs use. It owns nothing:
// the window lives as long as the platform says.
class CWnd {
 public:
  CWnd() = default;
  virtual ~CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND GetSafeHwnd() const { return m_hWnd; }
  void Attach(HWND window) { m_hWnd = window; }
  HWND Detach() {
    HWND window = m_hWnd;
    m_hWnd = nullptr;
    return window;
  }

  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  BOOL ShowWindow(int show) const { return ::ShowWindow(m_hWnd, show); }
  BOOL EnableWindow(BOOL enable) const { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  // Texts are code page 932 on both sides; the window holds UTF-16.
  void SetText(const char* text) const;
  std::string GetText() const;
  void Invalidate(BOOL erase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
  void UpdateWindow() const { ::UpdateWindow(m_hWnd); }
  BOOL SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) const {
    return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
  }
  BOOL MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE) const {
    return ::MoveWindow(m_hWnd, x, y, cx, cy, repaint);
  }
  // Sent to the window as a Unicode window: a text it carries is UTF-16.
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
  }
  void SetFont(HFONT font, BOOL redraw = TRUE) const {
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
  }
  BOOL GetClientRect(RECT* rect) const { return ::GetClientRect(m_hWnd, rect); }
  BOOL GetWindowRect(RECT* rect) const { return ::GetWindowRect(m_hWnd, rect); }

  HWND m_hWnd = nullptr;
};
