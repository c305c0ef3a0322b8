#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/environment_info.h"
#include "ui/widgets/col_btn.h"
#include "ui/widgets/dib_bitmap.h"
#include "ui/widgets/gdi_owners.h"
#include "winfw/dialog.h"

// The details window: processor, graphics and video memory of the checked
// PC, the tuner's requirement page, and the report again.
class CDetailDlg : public CDialog, public ButtonPaletteOwner {
 public:
  // `environment` is read once, when the window opens; `saveReport` runs for
  // the save button and saves what the owner knows at that moment.
  CDetailDlg(CWnd* owner, const EnvironmentInfo& environment, std::function<void()> saveReport);
  ~CDetailDlg() override;

  BOOL DestroyWindow() override;
  HPALETTE ButtonPalette() const override { return background_.palette.get(); }

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  BOOL OnInitDialog() override;
  void OnPaint() override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT controlType) override;
  void OnLButtonDown(UINT flags, POINT point) override;
  bool OnButtonClicked(UINT id) override;

 private:
  BackgroundPicture background_;
  // Paints the picture behind the texts: the window clips its children, so
  // nothing else would be under them.
  OwnedBrush backgroundBrush_;
  const EnvironmentInfo& environment_;
  std::function<void()> saveReport_;
  OwnedFont boldFont_;
  CColBtn specButton_;
  std::string cpuText_;
  CWnd cpuStatic_, graphicsStatic_, memoryStatic_;
  CColBtn closeButton_;
  CColBtn saveButton_;
  CColBtn usbTypeButton_;
  CColBtn pciTypeButton_;
};
