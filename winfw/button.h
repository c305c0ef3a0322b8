#pragma once

#include <windows.h>

#include "winfw/wnd.h"

// A push button attached to a template control by subclassing. The parent
// dialog reflects owner-draw to DrawItem; mouse moves, mouse leaves and the
// window's destruction come to the virtuals below first.
class CButton : public CWnd {
 public:
  CButton() = default;
  ~CButton() override;

  BOOL SubclassDlgItem(int controlId, CWnd* parent);
  static CButton* FromHandle(HWND window);

  virtual void DrawItem(const DRAWITEMSTRUCT*) {}

 protected:
  virtual void OnMouseMove(UINT, POINT) {}
  virtual void OnMouseLeave() {}
  // True when the button set the cursor itself.
  virtual bool OnSetCursor() { return false; }
  // Runs before the button's own destruction handling.
  virtual void OnDestroy() {}

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Unsubclass();

  WNDPROC originalProc_ = nullptr;
};
