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

using namespace page_layout;

const ControlPlacement kStatics[] = {
    PlaceAt(IDC_DETAIL_CPU, kDetailCpuText),
    PlaceAt(IDC_DETAIL_GRAPHICS, kDetailGraphicsText),
    PlaceAt(IDC_DETAIL_VRAM, kDetailVramText),
};

}  // namespace

CDetailDlg::CDetailDlg(CWnd* owner, const EnvironmentInfo& environment, std::function<void()> saveReport)
    : CPictureDialog(IDD_DETAIL_DIALOG, owner),
      environment_(environment),
      saveReport_(std::move(saveReport)) {}

CDetailDlg::~CDetailDlg() = default;

void CDetailDlg::DoDataExchange(CDataExchange* exchange) {
  CPictureDialog::DoDataExchange(exchange);
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
  CPictureDialog::OnInitDialog();
  FitClientToBackground(m_hWnd, kDetailSize.width(), kDetailSize.height());
  static const int kPictures[] = {IDB_DETAIL_BACKGROUND};
  LoadPictures(kPictures, std::size(kPictures), TRUE);
  const PictureButton buttons[] = {
      {&usbTypeButton_, IDB_USB_TYPE_BUTTON, PlaceAt(IDC_USB_TYPE, kUsbButton)},
      {&pciTypeButton_, IDB_PCI_TYPE_BUTTON, PlaceAt(IDC_PCI_TYPE, kPciButton)},
      {&closeButton_, IDB_DETAIL_CLOSE_BUTTON, PlaceAt(IDC_DETAIL_CLOSE, kDetailCloseButton)},
      {&saveButton_, IDB_DETAIL_SAVE_BUTTON, PlaceAt(IDC_SAVE_REPORT, kDetailSaveButton)},
  };
  SetUpButtons(buttons, std::size(buttons));
  SetTextsOnPicture({{IDC_DETAIL_CPU, kDefaultTextColour},
                     {IDC_DETAIL_GRAPHICS, kDefaultTextColour},
                     {IDC_DETAIL_VRAM, kDefaultTextColour}});

  boldFont_.reset(CreateDialogBoldFont());
  cpuStatic_.SetFont(boldFont_.get(), TRUE);
  graphicsStatic_.SetFont(boldFont_.get(), TRUE);
  memoryStatic_.SetFont(boldFont_.get(), TRUE);

  cpuStatic_.SetText(environment_.cpuName.c_str());
  graphicsStatic_.SetText(environment_.graphicsName.c_str());
  memoryStatic_.SetText(environment_.vramText.c_str());
  cpuText_ = environment_.cpuName;
  UpdateData(FALSE);

  PlaceStaticsOnTop(m_hWnd, kStatics, std::size(kStatics));
  static const int kTabOrder[] = {IDC_DETAIL_CLOSE, IDC_USB_TYPE, IDC_PCI_TYPE, IDC_SAVE_REPORT};
  SetTabOrder(m_hWnd, kTabOrder, std::size(kTabOrder));
  return TRUE;
}

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
      OpenGuidePage(m_hWnd, kUsbTunerSpecPage);
      return true;
    case IDC_SPEC_TOP:
      OpenGuidePage(m_hWnd, kSpecTopPage);
      return true;
    default:
      return false;
  }
}
