#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/environment_info.h"
#include "ui/widgets/gdi_owners.h"
#include "ui/widgets/picture_dialog.h"

// The details window: processor, graphics and video memory of the checked
// PC, the tuner's requirement page, and the report again.
class CDetailDlg : public CPictureDialog {
 public:
  // `environment` is read once, when the window opens; `saveReport` runs for
  // the save button and saves what the owner knows at that moment.
  CDetailDlg(CWnd* owner, const EnvironmentInfo& environment, std::function<void()> saveReport);
  ~CDetailDlg() override;

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  BOOL OnInitDialog() override;
  bool OnButtonClicked(UINT id) override;

 private:
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
