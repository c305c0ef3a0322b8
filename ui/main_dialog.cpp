#include "ui/main_dialog.h"

#include <iterator>

#include "judge/display_check_run.h"
#include "res/resource_ids.h"
#include "ui/guide_page.h"
#include "ui/widgets/control_placement.h"
#include "ui/widgets/dialog_font.h"
#include "ui/widgets/fit_client.h"
#include "ui/widgets/wrapping_static.h"
#include "winfw/win_app.h"

namespace {

const int kClientWidth = 940;
const int kClientHeight = 450;

struct ButtonPlacement {
  CColBtn CwznCheckerDlg2::*button;
  int bitmapId;
  ControlPlacement placement;
};

const ControlPlacement kStatics[] = {
    {IDC_OS_NAME, 198, 205, 260, 30},         {IDC_OS_STATUS, 198, 239, 260, 30},
    {IDC_MEMORY_TEXT, 635, 205, 260, 15},     {IDC_MEMORY_STATUS, 635, 225, 260, 30},
    {IDC_DISPLAY_MESSAGE, 198, 314, 260, 30}, {IDC_CPU_MESSAGE, 635, 326, 260, 30},
    {IDC_PROGRESS_TEXT, 450, 422, 100, 15},
};

// The statics in the dialog's own face rather than the bold one.
const int kFaceStatics[] = {IDC_DISPLAY_MESSAGE, IDC_CPU_MESSAGE, IDC_OS_STATUS, IDC_MEMORY_STATUS,
                            IDC_PROGRESS_TEXT};

// Reading order, top to bottom: the exit button in the corner comes round
// after the save button at the foot of the page.
const int kTabOrder[] = {IDC_SHOW_DETAILS, IDC_OPEN_SOLUTION, IDC_START_CHECK, IDC_SAVE_REPORT, IDC_EXIT};

const int kVerdictBitmaps[] = {IDB_MARK_DOUBLE_CIRCLE, IDB_MARK_CIRCLE,    IDB_MARK_CROSS,
                               IDB_MARK_CROSS_CAPTION, IDB_BANNER_SUITABLE, IDB_BANNER_LIMITED,
                               IDB_BANNER_UNSUITABLE};

}  // namespace

CwznCheckerDlg2::CwznCheckerDlg2(CWnd* parent) : CDialog(IDD_MAIN_DIALOG, parent) {}

CwznCheckerDlg2::~CwznCheckerDlg2() = default;

void CwznCheckerDlg2::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
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
  CDialog::OnInitDialog();
  dwm_.DisableComposition();

  moduleFolder_ = ProgramFolder(260);

  FitClientToBackground(m_hWnd, kClientWidth, kClientHeight);

  const HINSTANCE module = AfxGetInstanceHandle();
  LoadBackgroundPicture(module, IDB_START_PAGE, m_hWnd, FALSE, &startPage_);
  LoadBackgroundPicture(module, IDB_RESULT_PAGE, m_hWnd, FALSE, &resultPage_);
  for (int id : kVerdictBitmaps) {
    OwnedBitmap bitmap(::LoadBitmapA(module, MAKEINTRESOURCEA(id)));
    if (bitmap) verdictBitmaps_[id] = std::move(bitmap);
  }

  SetUpButtons();

  statusTextColor_ = 255;
  boldFont_.reset(CreateDialogBoldFont());
  osNameStatic_.SetFont(boldFont_.get());
  memoryTextStatic_.SetFont(boldFont_.get());

  faceFont_.reset(CreateDialogFaceAt96Dpi(m_hWnd));
  if (faceFont_) {
    for (int id : kFaceStatics) ::SendMessageA(GetDlgItem(id), WM_SETFONT, reinterpret_cast<WPARAM>(faceFont_.get()), FALSE);
  }

  SetPage(0);
  PlaceStatics();
  SetTabOrder(m_hWnd, kTabOrder, std::size(kTabOrder));
  SetDisplayCheckMainWindow(m_hWnd);
  SetWindowText("　ソラリオ　");
  // Enter and Space start the check from the first moment.
  GotoDlgCtrl(startButton_.m_hWnd);
  return FALSE;
}

void CwznCheckerDlg2::SetUpButtons() {
  static const ButtonPlacement kButtons[] = {
      {&CwznCheckerDlg2::startButton_, IDB_START_BUTTON, {IDC_START_CHECK, 365, 358, 210, 40}},
      {&CwznCheckerDlg2::saveButton_, IDB_SAVE_BUTTON, {IDC_SAVE_REPORT, 725, 400, 200, 36}},
      {&CwznCheckerDlg2::detailsButton_, IDB_DETAILS_BUTTON, {IDC_SHOW_DETAILS, 645, 88, 250, 40}},
      {&CwznCheckerDlg2::exitButton_, IDB_EXIT_BUTTON, {IDC_EXIT, 883, 18, 40, 40}},
      {&CwznCheckerDlg2::solutionButton_, IDB_SOLUTION_BUTTON, {IDC_OPEN_SOLUTION, 293, 335, 160, 36}},
  };
  for (const ButtonPlacement& button : kButtons) {
    SetUpPictureButton(this->*button.button, button.bitmapId, this, button.placement);
  }
}

void CwznCheckerDlg2::PlaceStatics() {
  PlaceStaticsOnTop(m_hWnd, kStatics, std::size(kStatics));
  for (const ControlPlacement& placed : kStatics) PaintStaticWithJapaneseLineBreaks(GetDlgItem(placed.controlId));
}

void CwznCheckerDlg2::SetPage(int page) {
  CColBtn* const all[] = {&startButton_, &detailsButton_, &saveButton_, &solutionButton_, &exitButton_};
  for (CColBtn* button : all) button->ShowWindow(SW_HIDE);
  if (page == 0) {
    page_ = 0;
    startButton_.ShowWindow(SW_SHOW);
    exitButton_.ShowWindow(SW_SHOW);
  } else if (page == 1) {
    page_ = 1;
    exitButton_.ShowWindow(SW_SHOW);
    detailsButton_.ShowWindow(SW_SHOW);
    saveButton_.ShowWindow(SW_SHOW);
    progressStatic_.ShowWindow(SW_HIDE);
  }
}

void CwznCheckerDlg2::OnPaint() {
  PAINTSTRUCT paint;
  const HDC dc = ::BeginPaint(m_hWnd, &paint);
  {
    ScopedPaletteSelection startPalette(dc, startPage_.dib.header ? startPage_.palette.get() : nullptr, FALSE);
    ScopedPaletteSelection resultPalette(dc, resultPage_.dib.header ? resultPage_.palette.get() : nullptr, FALSE);
    PaintBackground(dc, page_ == 0 ? startPage_ : resultPage_);
  }
  ::EndPaint(m_hWnd, &paint);
  PaintVerdictPictures();
}

HBRUSH CwznCheckerDlg2::OnCtlColor(HDC dc, HWND control, UINT) {
  switch (::GetDlgCtrlID(control)) {
    case IDC_OS_NAME:
    case IDC_MEMORY_TEXT:
    case IDC_PROGRESS_TEXT:
      ::SetBkMode(dc, TRANSPARENT);
      return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    case IDC_DISPLAY_MESSAGE:
    case IDC_CPU_MESSAGE:
    case IDC_OS_STATUS:
    case IDC_MEMORY_STATUS:
      ::SetBkMode(dc, TRANSPARENT);
      ::SetTextColor(dc, statusTextColor_);
      return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    default:
      return nullptr;
  }
}

void CwznCheckerDlg2::OnLButtonDown(UINT, POINT) {
  // The window has no caption: the whole background is its handle.
  SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, 0);
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
  CDialog::OnDestroy();
  if (checkTimer_) ::KillTimer(m_hWnd, checkTimer_);
  checkTimer_ = 0;
}

BOOL CwznCheckerDlg2::DestroyWindow() {
  startPage_.bitmap.reset();
  resultPage_.bitmap.reset();
  return CDialog::DestroyWindow();
}
