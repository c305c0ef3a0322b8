#include "ui/main_dialog.h"

#include <iterator>

#include "judge/display_check_run.h"
#include "res/program_names.h"
#include "res/resource_ids.h"
#include "ui/guide_page.h"
#include "ui/widgets/control_placement.h"
#include "ui/widgets/dialog_font.h"
#include "ui/widgets/fit_client.h"
#include "ui/widgets/wrapping_static.h"
#include "winfw/win_app.h"

namespace {

using namespace page_layout;

const ControlPlacement kStatics[] = {
    PlaceAt(IDC_OS_NAME, kOsNameText),          PlaceAt(IDC_OS_STATUS, kOsStatusText),
    PlaceAt(IDC_MEMORY_TEXT, kMemoryText),      PlaceAt(IDC_MEMORY_STATUS, kMemoryStatusText),
    PlaceAt(IDC_DISPLAY_MESSAGE, kDisplayText), PlaceAt(IDC_CPU_MESSAGE, kOtherText),
    PlaceAt(IDC_PROGRESS_TEXT, kProgressText),
};

// The statics in the dialog's own face rather than the bold one.
const int kFaceStatics[] = {IDC_DISPLAY_MESSAGE, IDC_CPU_MESSAGE, IDC_OS_STATUS, IDC_MEMORY_STATUS,
                            IDC_PROGRESS_TEXT};

// Reading order, top to bottom: the exit button in the corner comes round
// after the save button at the foot of the page.
const int kTabOrder[] = {IDC_SHOW_DETAILS, IDC_OPEN_SOLUTION, IDC_START_CHECK, IDC_SAVE_REPORT, IDC_EXIT};

// What each part's status and message say is in red.
const COLORREF kStatusTextColour = RGB(255, 0, 0);

const int kVerdictBitmaps[] = {IDB_MARK_DOUBLE_CIRCLE, IDB_MARK_CIRCLE,     IDB_MARK_CROSS,
                               IDB_MARK_CROSS_CAPTION, IDB_BANNER_SUITABLE, IDB_BANNER_LIMITED,
                               IDB_BANNER_UNSUITABLE};

}  // namespace

CwznCheckerDlg2::CwznCheckerDlg2(CWnd* parent) : CPictureDialog(IDD_MAIN_DIALOG, parent) {}

CwznCheckerDlg2::~CwznCheckerDlg2() = default;

void CwznCheckerDlg2::DoDataExchange(CDataExchange* exchange) {
  CPictureDialog::DoDataExchange(exchange);
  DDX_Text(exchange, IDC_OS_NAME, osNameText_);
  DDX_Text(exchange, IDC_MEMORY_TEXT, memoryText_);
  DDX_Text(exchange, IDC_DISPLAY_MESSAGE, displayMessage_);
  DDX_Text(exchange, IDC_CPU_MESSAGE, cpuMessage_);
  DDX_Text(exchange, IDC_OS_STATUS, osStatus_);
  DDX_Text(exchange, IDC_MEMORY_STATUS, memoryStatus_);
  DDX_Control(exchange, IDC_START_CHECK, startButton_);
  DDX_Control(exchange, IDC_SAVE_REPORT, saveButton_);
  DDX_Control(exchange, IDC_SHOW_DETAILS, detailsButton_);
  DDX_Control(exchange, IDC_EXIT, exitButton_);
  DDX_Control(exchange, IDC_OPEN_SOLUTION, solutionButton_);
  DDX_Control(exchange, IDC_OS_NAME, osNameStatic_);
  DDX_Control(exchange, IDC_OS_STATUS, osStatusStatic_);
  DDX_Control(exchange, IDC_MEMORY_TEXT, memoryTextStatic_);
  DDX_Control(exchange, IDC_MEMORY_STATUS, memoryStatusStatic_);
  DDX_Control(exchange, IDC_DISPLAY_MESSAGE, displayMessageStatic_);
  DDX_Control(exchange, IDC_CPU_MESSAGE, cpuMessageStatic_);
  DDX_Text(exchange, IDC_PROGRESS_TEXT, progressText_);
  DDX_Control(exchange, IDC_PROGRESS_TEXT, progressStatic_);
}

BOOL CwznCheckerDlg2::OnInitDialog() {
  CPictureDialog::OnInitDialog();
  dwm_.DisableComposition();

  FitClientToBackground(m_hWnd, kMainSize.width(), kMainSize.height());

  const HINSTANCE module = AfxGetInstanceHandle();
  // The start page's palette, the first, is the one the buttons draw with.
  static const int kPages[] = {IDB_START_PAGE, IDB_RESULT_PAGE};
  LoadPictures(kPages, std::size(kPages), FALSE);
  for (int id : kVerdictBitmaps) {
    OwnedBitmap bitmap(::LoadBitmapA(module, MAKEINTRESOURCEA(id)));
    if (bitmap) verdictBitmaps_[id] = std::move(bitmap);
  }

  SetUpButtons();

  SetTextsOnPicture({{IDC_OS_NAME, kDefaultTextColour},
                     {IDC_MEMORY_TEXT, kDefaultTextColour},
                     {IDC_PROGRESS_TEXT, kDefaultTextColour},
                     {IDC_DISPLAY_MESSAGE, kStatusTextColour},
                     {IDC_CPU_MESSAGE, kStatusTextColour},
                     {IDC_OS_STATUS, kStatusTextColour},
                     {IDC_MEMORY_STATUS, kStatusTextColour}});
  boldFont_.reset(CreateDialogBoldFont());
  osNameStatic_.SetFont(boldFont_.get());
  memoryTextStatic_.SetFont(boldFont_.get());

  faceFont_.reset(CreateDialogFaceAt96Dpi());
  if (faceFont_) {
    for (int id : kFaceStatics)
      ::SendMessageW(GetDlgItem(id), WM_SETFONT, reinterpret_cast<WPARAM>(faceFont_.get()), FALSE);
  }

  SetPage(kStartPage);
  PlaceStatics();
  SetTabOrder(m_hWnd, kTabOrder, std::size(kTabOrder));
  SetDisplayCheckWindows(m_hWnd, GetDlgItem(IDC_VIDEO_WINDOW));
  SetText(MAIN_WINDOW_TITLE);
  // Enter and Space start the check from the first moment.
  GotoDlgCtrl(startButton_.m_hWnd);
  return FALSE;
}

void CwznCheckerDlg2::SetUpButtons() {
  const PictureButton buttons[] = {
      {&startButton_, IDB_START_BUTTON, PlaceAt(IDC_START_CHECK, kStartButton)},
      {&saveButton_, IDB_SAVE_BUTTON, PlaceAt(IDC_SAVE_REPORT, kSaveButton)},
      {&detailsButton_, IDB_DETAILS_BUTTON, PlaceAt(IDC_SHOW_DETAILS, kDetailsButton)},
      {&exitButton_, IDB_EXIT_BUTTON, PlaceAt(IDC_EXIT, kExitButton)},
      {&solutionButton_, IDB_SOLUTION_BUTTON, PlaceAt(IDC_OPEN_SOLUTION, kSolutionButton)},
  };
  CPictureDialog::SetUpButtons(buttons, std::size(buttons));
}

void CwznCheckerDlg2::PlaceStatics() {
  PlaceStaticsOnTop(m_hWnd, kStatics, std::size(kStatics));
  for (const ControlPlacement& placed : kStatics)
    PaintStaticWithJapaneseLineBreaks(GetDlgItem(placed.controlId));
}

void CwznCheckerDlg2::SetPage(int page) {
  CColBtn* const all[] = {&startButton_, &detailsButton_, &saveButton_, &solutionButton_, &exitButton_};
  for (CColBtn* button : all) button->ShowWindow(SW_HIDE);
  // The pages' pictures were loaded in page order.
  if (page == kStartPage) {
    page_ = kStartPage;
    ShowPicture(kStartPage);
    startButton_.ShowWindow(SW_SHOW);
    exitButton_.ShowWindow(SW_SHOW);
  } else if (page == kResultPage) {
    page_ = kResultPage;
    ShowPicture(kResultPage);
    exitButton_.ShowWindow(SW_SHOW);
    detailsButton_.ShowWindow(SW_SHOW);
    saveButton_.ShowWindow(SW_SHOW);
    progressStatic_.ShowWindow(SW_HIDE);
  }
}

bool CwznCheckerDlg2::OnButtonClicked(UINT id) {
  switch (id) {
    case IDOK:
      // Only the dialog manager's Enter comes here, when no button has the
      // focus; the exit button alone ends the program.
      return true;
    case IDC_START_CHECK:
      OnStartCheck();
      return true;
    case IDC_SAVE_REPORT:
      WriteReport();
      return true;
    case IDC_SHOW_DETAILS:
      OnShowDetails();
      return true;
    case IDC_EXIT:
      OnExit();
      return true;
    case IDC_OPEN_SOLUTION:
      OnOpenSolution();
      return true;
    default:
      return false;
  }
}

void CwznCheckerDlg2::FocusFirstResultButton() {
  CColBtn* const candidates[] = {&detailsButton_, &solutionButton_, &saveButton_};
  for (CColBtn* button : candidates) {
    if (button->IsWindowVisible() && button->IsWindowEnabled()) {
      GotoDlgCtrl(button->m_hWnd);
      return;
    }
  }
}

void CwznCheckerDlg2::OnExit() { OnOK(); }

void CwznCheckerDlg2::OnDestroy() {
  CPictureDialog::OnDestroy();
  if (checkTimer_) ::KillTimer(m_hWnd, checkTimer_);
  checkTimer_ = 0;
}
