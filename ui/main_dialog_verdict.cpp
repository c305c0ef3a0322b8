// The result page of the main dialog: texts, marks, banner, guide page.
#include "ui/detail_dialog.h"
#include "ui/guide_page.h"
#include "ui/main_dialog.h"
#include "ui/verdict.h"
#include "ui/verdict_pictures.h"

void CwznCheckerDlg2::ShowVerdict() {
  const VerdictView view = ComposeVerdict(environment_);
  environment_.isPentium4 = view.isPentium4;
  SetPage(kResultPage);
  osNameText_ = view.osText;
  osStatus_ = view.osStatus;
  memoryText_ = view.memoryText;
  memoryStatus_ = view.memoryStatus;
  cpuMessage_ = view.cpuMessage;
  displayMessage_ = view.displayMessage;
  verdict_ = view.marks;
  if (view.detailsEnabled) detailsButton_.EnableWindow(TRUE);
  if (view.solutionVisible) solutionButton_.ShowWindow(SW_SHOW);
  // The start button that had the focus is gone with the start page.
  FocusFirstResultButton();

  Invalidate(TRUE);
  UpdateData(FALSE);
  UpdateWindow();
}

void CwznCheckerDlg2::PaintOverPicture() {
  const std::vector<PicturePlacement> pictures = VerdictPictures(verdict_);
  if (pictures.empty()) return;
  ScopedWindowDc dc(m_hWnd, ScopedWindowDc::kClient);
  ScopedMemoryDc memory(dc.get());
  for (const PicturePlacement& picture : pictures) {
    const auto found = verdictBitmaps_.find(picture.bitmapId);
    if (found == verdictBitmaps_.end()) continue;
    ScopedSelection selected(memory.get(), found->second.get());
    ::BitBlt(dc.get(), picture.x, picture.y, picture.width, picture.height, memory.get(), 0, 0, SRCCOPY);
  }
}

void CwznCheckerDlg2::OnOpenSolution() { OpenGuidePage(m_hWnd, SolutionPagePath(verdict_.solutionPage)); }

void CwznCheckerDlg2::OnShowDetails() {
  const CFocusReturn focusReturn;
  CDetailDlg details(this, environment_, [this] { WriteReport(); });
  details.DoModal();
}
