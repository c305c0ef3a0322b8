// The start button and the timed display check of the main dialog.
#include <cstdio>

#include "handles/message_box.h"
#include "judge/display_check_run.h"
#include "judge/judge_log.h"
#include "probe/directdraw_probe.h"
#include "probe/display_device.h"
#include "probe/os_probes.h"
#include "res/program_names.h"
#include "res/resource_ids.h"
#include "ui/check_time.h"
#include "ui/environment_reads.h"
#include "ui/main_dialog.h"
#include "ui/memory_figures.h"
#include "ui/string_resource.h"
#include "winfw/win_app.h"

namespace {

const UINT_PTR kCheckTimerId = 123;
const UINT kFirstRunDelay = 100;
const UINT kRetryDelay = 500;
const int kRetries = 3;

// The detail dialog's video memory line: the driver's registry figure, or
// DirectDraw's when the registry has none; empty when neither knows.
std::string VideoMemoryText(int registryMegabytes, int directDrawMegabytes) {
  const int megabytes = registryMegabytes ? registryMegabytes : directDrawMegabytes;
  if (megabytes <= 0) return std::string();
  char text[32];
  ::wsprintfA(text, "%d MB", megabytes);
  return text;
}

}  // namespace

void CwznCheckerDlg2::OnStartCheck() {
  // One check at a time: a box that a run shows keeps the window working
  // underneath, and a second start from there would share the one graph.
  if (checkRunning_) return;
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
}

void CwznCheckerDlg2::GatherEnvironment() {
  const HWND videoWindow = GetDlgItem(IDC_VIDEO_WINDOW);
  DISPLAY_DEVICEA device = {};
  device.cb = sizeof(device);
  FindWindowDisplayDevice(videoWindow, &device);
  ParsePciIds(device, &environment_.vendorId, &environment_.deviceId);
  const std::string deviceIdText(device.DeviceID, strnlen(device.DeviceID, sizeof(device.DeviceID)));
  JudgeTrace("VendorId = %08x DeviceId = %08x", environment_.vendorId, environment_.deviceId);

  int registryMegabytes = 0;
  int directDrawMegabytes = 0;
  GetRegistryVideoMemory(device, &registryMegabytes);
  GetMonitorVideoMemory(videoWindow, &directDrawMegabytes);
  JudgeTrace("vmb  = %d", registryMegabytes);
  JudgeTrace("vmb2 = %d", directDrawMegabytes);
  environment_.vramText = VideoMemoryText(registryMegabytes, directDrawMegabytes);

  const EnvironmentReads& wmi = CurrentEnvironmentReads();
  int position = 0;
  wmi.findVideoController(deviceIdText, &position);
  wmi.osName(&environment_.osName);
  wmi.cpuName(&environment_.cpuName);

  double installedBytes = 0.0;
  wmi.installedMemory(&installedBytes);
  std::string totalPhysical;
  if (MegabytesFromInstalledBytes(installedBytes) == 0) wmi.totalPhysicalMemory(&totalPhysical);
  const MemoryFigures memory = JudgeMemory(installedBytes, totalPhysical, IsRunningOnWow64());
  environment_.memoryText = memory.text;
  environment_.memoryClass = memory.memoryClass;
  environment_.memoryShort = memory.memoryShort;

  wmi.videoControllerName(position, &environment_.graphicsName);
}

void CwznCheckerDlg2::OnTimer(UINT_PTR timerId) {
  if (timerId == kCheckTimerId) RunCheckStep();
}

void CwznCheckerDlg2::RunCheckStep() {
  // Gone before the run, so no message loop inside it can step again.
  ::KillTimer(m_hWnd, checkTimer_);
  checkTimer_ = 0;
  environment_.judge = JudgeResult();
  const int answer = RunDisplayCheck(&environment_.judge, environment_.vendorId, environment_.deviceId);
  if (answer && environment_.judge.retryFromStart && retriesLeft_ > 0) {
    --retriesLeft_;
    checkTimer_ = ::SetTimer(m_hWnd, kCheckTimerId, kRetryDelay, nullptr);
    return;
  }
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  environment_.checkTime = FormatCheckTime(now);
  checkRunning_ = false;
  ShowVerdict();
  if (environment_.judge.retryFromStart) {
    const std::string text = LoadStringResource(AfxGetInstanceHandle(), IDS_COPP_RETRY_WARNING);
    const CFocusReturn focusReturn;
    ShowMessageBox(m_hWnd, text.c_str(), PROGRAM_TITLE, MB_ICONEXCLAMATION | MB_TOPMOST);
  }
}
