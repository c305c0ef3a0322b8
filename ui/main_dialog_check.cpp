// The start button and the timed display check of the main dialog.
#include "handles/message_box.h"
#include "judge/display_check_run.h"
#include "probe/os_probes.h"
#include "res/program_names.h"
#include "res/resource_ids.h"
#include "ui/check_time.h"
#include "ui/environment_gathering.h"
#include "ui/own_part_fault_text.h"
#include "ui/main_dialog.h"
#include "ui/string_resource.h"
#include "winfw/win_app.h"

namespace {

const UINT_PTR kCheckTimerId = 123;
const UINT kFirstRunDelay = 100;
const UINT kRetryDelay = 500;
const int kRetries = 3;

}  // namespace

void CwznCheckerDlg2::OnStartCheck() {
  // One check at a time: the start button stays pressable until the timed
  // run begins, and a second start would share the one graph.
  if (checkRunning_) return;
  // Protected output never reaches a remote session's screen: any verdict
  // there would blame the graphics for the connection.
  if (IsRemoteSession()) {
    TellUser(LoadStringResource(AfxGetInstanceHandle(), IDS_REMOTE_SESSION), MB_ICONEXCLAMATION);
    return;
  }
  checkRunning_ = true;
  // Disabling the focused button leaves the focus nowhere: give it back.
  const bool startHadFocus = ::GetFocus() == startButton_.m_hWnd;
  startButton_.EnableWindow(FALSE);
  detailsButton_.EnableWindow(FALSE);
  progressText_ = "判定中";
  UpdateData(FALSE);
  UpdateWindow();

  GatherEnvironment();

  retriesLeft_ = kRetries;
  checkTimer_ = ::SetTimer(m_hWnd, kCheckTimerId, kFirstRunDelay, nullptr);
  startButton_.EnableWindow(TRUE);
  if (startHadFocus) GotoDlgCtrl(startButton_.m_hWnd);
  if (!checkTimer_) {
    // No timer, no check: the page would say 判定中 for ever.
    ReturnToStartPage();
    TellUser(LoadStringResource(AfxGetInstanceHandle(), IDS_CHECK_TIMER_FAILED), MB_ICONERROR);
  }
}

void CwznCheckerDlg2::ReturnToStartPage() {
  checkRunning_ = false;
  environment_.judge = JudgeResult();
  progressText_.clear();
  UpdateData(FALSE);
  startButton_.EnableWindow(TRUE);
  GotoDlgCtrl(startButton_.m_hWnd);
}

void CwznCheckerDlg2::TellUser(const std::string& text, UINT icon) {
  const CFocusReturn focusReturn;
  ShowMessageBox(m_hWnd, text.c_str(), PROGRAM_TITLE, icon);
}

void CwznCheckerDlg2::GatherEnvironment() {
  GatherCheckEnvironment(GetDlgItem(IDC_VIDEO_WINDOW), PlatformEnvironmentProbes(), CurrentEnvironmentReads(),
                         &environment_);
}

void CwznCheckerDlg2::OnTimer(UINT_PTR timerId) {
  if (timerId == kCheckTimerId) RunCheckStep();
}

void CwznCheckerDlg2::RunCheckStep() {
  // Gone before the run, so no message loop inside it can step again.
  ::KillTimer(m_hWnd, checkTimer_);
  checkTimer_ = 0;
  environment_.judge = JudgeResult();
  OwnPartFault fault;
  const int answer =
      RunDisplayCheck(&environment_.judge, environment_.vendorId, environment_.deviceId, &fault);
  if (!answer) {
    // Our own part failed: no verdict, as none would be about this PC.
    ReturnToStartPage();
    TellUser(OwnPartFaultText(LoadStringResource(AfxGetInstanceHandle(), IDS_OWN_PART_BROKEN), fault),
             MB_ICONERROR);
    return;
  }
  if (environment_.judge.retryFromStart && retriesLeft_ > 0) {
    --retriesLeft_;
    checkTimer_ = ::SetTimer(m_hWnd, kCheckTimerId, kRetryDelay, nullptr);
    // Without the timer the retry cannot come: this run's verdict stands.
    if (checkTimer_) return;
  }
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  environment_.checkTime = FormatCheckTime(now);
  checkRunning_ = false;
  ShowVerdict();
  if (environment_.judge.retryFromStart) {
    TellUser(LoadStringResource(AfxGetInstanceHandle(), IDS_COPP_RETRY_WARNING), MB_ICONEXCLAMATION | MB_TOPMOST);
  }
}
