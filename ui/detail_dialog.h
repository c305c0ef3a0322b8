#pragma once

#include <windows.h>

#include <string>

#include "ui/widgets/col_btn.h"
#include "ui/widgets/dib_bitmap.h"
#include "ui/widgets/gdi_owners.h"
#include "winfw/dialog.h"

class CwznCheckerDlg2;

// The details window: processor, graphics and video memory of the checked
// PC, the tuner's requirement page, and the report again.
class CDetailDlg : public CDialog {
 public:
  explicit CDetailDlg(CwznCheckerDlg2* owner);
  ~CDetailDlg() override;

  BOOL DestroyWindow() override;

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  BOOL OnInitDialog() override;
  void OnPaint() override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT controlType) override;
  void OnLButtonDown(UINT flags, POINT point) override;
  BOOL OnCommand(UINT id, UINT code, HWND control) override;

 private:
  BackgroundPicture background_;
  // Paints the picture behind the texts: the window clips its children, so
  // nothing else would be under them.
  OwnedBrush backgroundBrush_;
  CwznCheckerDlg2* owner_;
  OwnedFont boldFont_;
  CColBtn specButton_;
  std::string cpuText_;
  CWnd cpuStatic_, graphicsStatic_, memoryStatic_;
  CColBtn closeButton_;
  CColBtn saveButton_;
  CColBtn usbTypeButton_;
  CColBtn pciTypeButton_;
};
