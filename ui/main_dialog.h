#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "system/dwm_control.h"
#include "ui/environment_info.h"
#include "ui/verdict.h"
#include "ui/widgets/gdi_owners.h"
#include "ui/widgets/picture_dialog.h"

// The program's main window: a start page with the start and exit buttons,
// the timed display check, then the result page with its marks.
class CwznCheckerDlg2 : public CPictureDialog {
 public:
  enum Page { kStartPage = 0, kResultPage = 1 };

  explicit CwznCheckerDlg2(CWnd* parent = nullptr);
  ~CwznCheckerDlg2() override;

  // Composes the report of the last check and saves it where the user says.
  void WriteReport();

  const EnvironmentInfo& environment() const { return environment_; }

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  BOOL OnInitDialog() override;
  void PaintOverPicture() override;
  void OnTimer(UINT_PTR timerId) override;
  bool OnButtonClicked(UINT id) override;
  void OnDestroy() override;

 private:
  void OnStartCheck();
  void GatherEnvironment();
  void RunCheckStep();
  // After a check that gave no verdict: the start page as before the press.
  void ReturnToStartPage();
  // A box owned by the window, captioned with the program's title.
  void TellUser(const std::string& text, UINT icon);
  void SetPage(int page);
  void ShowVerdict();
  void OnOpenSolution();
  void OnShowDetails();
  void OnExit();
  void SetUpButtons();
  void PlaceStatics();
  void FocusFirstResultButton();

  EnvironmentInfo environment_;
  int retriesLeft_ = 0;
  UINT_PTR checkTimer_ = 0;
  // From the start press to the verdict.
  bool checkRunning_ = false;
  CDwmControl dwm_;

  std::string osNameText_;
  std::string memoryText_;
  std::string displayMessage_;
  std::string cpuMessage_;
  std::string osStatus_;
  std::string memoryStatus_;
  int page_ = kStartPage;

  CColBtn startButton_;
  CColBtn saveButton_;
  CColBtn detailsButton_;
  CColBtn exitButton_;
  CColBtn solutionButton_;
  OwnedFont boldFont_;
  // The dialog's face at its 96-DPI height, for the texts in the normal face.
  OwnedFont faceFont_;
  VerdictState verdict_;
  std::map<int, OwnedBitmap> verdictBitmaps_;

  CWnd osNameStatic_, osStatusStatic_, memoryTextStatic_, memoryStatusStatic_;
  CWnd displayMessageStatic_, cpuMessageStatic_;
  std::string progressText_;
  CWnd progressStatic_;
};
