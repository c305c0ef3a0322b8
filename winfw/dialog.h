#pragma once

#include <windows.h>

#include <string>

#include "winfw/data_exchange.h"
#include "winfw/dialog_keys.h"
#include "winfw/focus_return.h"
#include "winfw/wnd.h"

// A modal dialog made from a template resource. The dialog procedure finds
// the object through the window's user data and calls one virtual per
// message; everything it does not handle gets the platform's default.
class CDialog : public CWnd {
 public:
  CDialog(UINT templateId, CWnd* parent);
  ~CDialog() override;

  // Creates the window, runs a modal loop until EndDialog or WM_QUIT, then
  // destroys the window through the virtual DestroyWindow. -1 when the
  // template cannot be made into a window.
  INT_PTR DoModal();
  void EndDialog(int result);

  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  virtual BOOL DestroyWindow();

  // Gives a control the focus the way the dialog manager does.
  void GotoDlgCtrl(HWND control) const;

 protected:
  virtual void DoDataExchange(CDataExchange* exchange);
  virtual BOOL OnInitDialog();
  virtual void OnPaint();
  virtual void OnTimer(UINT_PTR timerId);
  // Null means the platform's default colours.
  virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT controlType);
  virtual void OnLButtonDown(UINT flags, POINT point);
  // True when handled. The base hands a button's click to OnButtonClicked
  // first, then sends IDOK and IDCANCEL to OnOK and OnCancel.
  virtual BOOL OnCommand(UINT id, UINT code, HWND control);
  // A button of the dialog was clicked (BN_CLICKED); true when handled.
  virtual bool OnButtonClicked(UINT) { return false; }
  virtual void OnDestroy() {}
  virtual void OnOK();
  virtual void OnCancel();
  // Everything else: set *handled to answer a message yourself.
  virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled);

  CWnd* parent() const { return parent_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool* handled);

  UINT templateId_;
  CWnd* parent_;
  bool ended_ = false;
  int result_ = IDCANCEL;
};
