#pragma once

#include <windows.h>

#include <string>

#include "winfw/wnd.h"

class CDialog;
class CButton;

// One exchange between a dialog's members and its controls.
struct CDataExchange {
  CDialog* dialog;
  BOOL saveAndValidate;  // TRUE: controls to members
};

// Static or edit text <-> member text.
void DDX_Text(CDataExchange* exchange, int controlId, std::string& value);
// Binds a member to its template control once; a CButton is subclassed.
void DDX_Control(CDataExchange* exchange, int controlId, CWnd& control);
void DDX_Control(CDataExchange* exchange, int controlId, CButton& control);

// Hands the keyboard focus back, when it ends, to the control that had it
// when it began. A modal window that closes gives the focus to its owner
// window, not to the control the user opened it from.
class CFocusReturn {
 public:
  CFocusReturn();
  ~CFocusReturn();
  CFocusReturn(const CFocusReturn&) = delete;
  CFocusReturn& operator=(const CFocusReturn&) = delete;

 private:
  HWND control_;
};

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

  // Whether focus cues are wanted: the user's last input in this dialog was
  // a key rather than a mouse button. The platform's own cue state does not
  // say this everywhere (some never hide the cues), so the modal loop keeps
  // it; owner-drawn controls combine it with ODS_NOFOCUSRECT.
  bool KeyboardCuesShown() const { return keyboardCues_; }
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
  // Keyboard and pointer input before the dialog manager sees it; true when
  // the message has been dealt with here.
  bool PreTranslateInput(const MSG& message);
  void SetKeyboardCues(bool shown);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool* handled);

  UINT templateId_;
  CWnd* parent_;
  bool ended_ = false;
  bool keyboardCues_ = false;
  int result_ = IDCANCEL;
};
