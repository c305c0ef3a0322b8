#include "ui/detail_dialog.h"

#include <iterator>

#include "res/resource_ids.h"
#include "ui/guide_page.h"
#include "ui/solution_pages.h"
#include "ui/widgets/control_placement.h"
#include "ui/widgets/dialog_font.h"
#include "ui/widgets/fit_client.h"
#include "winfw/win_app.h"

namespace {

struct ButtonPlacement {
  CColBtn CDetailDlg::*button;
  int bitmapId;
  ControlPlacement placement;
};

const ControlPlacement kStatics[] = {
    {IDC_DETAIL_CPU, 85, 290, 375, 30},
    {IDC_DETAIL_GRAPHICS, 153, 333, 305, 13},
    {IDC_DETAIL_VRAM, 153, 351, 305, 15},
};

}  // namespace

CDetailDlg::CDetailDlg(CWnd* owner, const EnvironmentInfo& environment, std::function<void()> saveReport)
    : CDialog(IDD_DETAIL_DIALOG, owner), environment_(environment), saveReport_(std::move(saveReport)) {}

CDetailDlg::~CDetailDlg() = default;

void CDetailDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_SPEC_TOP, specButton_);
  DDX_Text(exchange, IDC_DETAIL_CPU, cpuText_);
  DDX_Control(exchange, IDC_DETAIL_CPU, cpuStatic_);
  DDX_Control(exchange, IDC_DETAIL_GRAPHICS, graphicsStatic_);
  DDX_Control(exchange, IDC_DETAIL_VRAM, memoryStatic_);
  DDX_Control(exchange, IDC_DETAIL_CLOSE, closeButton_);
  DDX_Control(exchange, IDC_SAVE_REPORT, saveButton_);
  DDX_Control(exchange, IDC_USB_TYPE, usbTypeButton_);
  DDX_Control(exchange, IDC_PCI_TYPE, pciTypeButton_);
}

BOOL CDetailDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  FitClientToBackground(m_hWnd, 500, 450);
  LoadBackgroundPicture(AfxGetInstanceHandle(), IDB_DETAIL_BACKGROUND, m_hWnd, TRUE, &background_);
  if (background_.bitmap) backgroundBrush_.reset(::CreatePatternBrush(background_.bitmap.get()));

  static const ButtonPlacement kButtons[] = {
      {&CDetailDlg::usbTypeButton_, IDB_USB_TYPE_BUTTON, {IDC_USB_TYPE, 30, 164, 210, 40}},
      {&CDetailDlg::pciTypeButton_, IDB_PCI_TYPE_BUTTON, {IDC_PCI_TYPE, 260, 164, 210, 40}},
      {&CDetailDlg::closeButton_, IDB_DETAIL_CLOSE_BUTTON, {IDC_DETAIL_CLOSE, 441, 18, 40, 40}},
      {&CDetailDlg::saveButton_, IDB_DETAIL_SAVE_BUTTON, {IDC_SAVE_REPORT, 270, 404, 200, 36}},
  };
  for (const ButtonPlacement& button : kButtons) {
    SetUpPictureButton(this->*button.button, button.bitmapId, this, button.placement);
  }

  boldFont_.reset(CreateDialogBoldFont());
  cpuStatic_.SetFont(boldFont_.get(), TRUE);
  graphicsStatic_.SetFont(boldFont_.get(), TRUE);
  memoryStatic_.SetFont(boldFont_.get(), TRUE);

  cpuStatic_.SetWindowText(environment_.cpuName.c_str());
  graphicsStatic_.SetWindowText(environment_.graphicsName.c_str());
  memoryStatic_.SetWindowText(environment_.vramText.c_str());
  cpuText_ = environment_.cpuName;
  UpdateData(FALSE);

  PlaceStaticsOnTop(m_hWnd, kStatics, std::size(kStatics));
  static const int kTabOrder[] = {IDC_DETAIL_CLOSE, IDC_USB_TYPE, IDC_PCI_TYPE, IDC_SAVE_REPORT};
  SetTabOrder(m_hWnd, kTabOrder, std::size(kTabOrder));
  return TRUE;
}

void CDetailDlg::OnPaint() {
  PAINTSTRUCT paint;
  const HDC dc = ::BeginPaint(m_hWnd, &paint);
  {
    ScopedPaletteSelection palette(dc, background_.palette.get(), FALSE);
    PaintBackground(dc, background_);
  }
  ::EndPaint(m_hWnd, &paint);
}

HBRUSH CDetailDlg::OnCtlColor(HDC dc, HWND control, UINT) {
  switch (::GetDlgCtrlID(control)) {
    case IDC_DETAIL_CPU:
    case IDC_DETAIL_GRAPHICS:
    case IDC_DETAIL_VRAM: {
      ::SetBkMode(dc, TRANSPARENT);
      if (!backgroundBrush_) return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
      POINT origin = {0, 0};
      ::MapWindowPoints(control, m_hWnd, &origin, 1);
      ::SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
      return backgroundBrush_.get();
    }
    default:
      return nullptr;
  }
}

void CDetailDlg::OnLButtonDown(UINT, POINT) { SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, 0); }

bool CDetailDlg::OnButtonClicked(UINT id) {
  switch (id) {
    case IDC_DETAIL_CLOSE:
      EndDialog(IDOK);
      return true;
    case IDC_SAVE_REPORT:
      if (saveReport_) saveReport_();
      return true;
    case IDC_USB_TYPE:
    case IDC_PCI_TYPE:
      OpenGuidePage(kUsbTunerSpecPage);
      return true;
    case IDC_SPEC_TOP:
      OpenGuidePage(kSpecTopPage);
      return true;
    default:
      return false;
  }
}

BOOL CDetailDlg::DestroyWindow() {
  backgroundBrush_.reset();
  background_.bitmap.reset();
  return CDialog::DestroyWindow();
}
