#include "app/checker_app.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "handles/message_box.h"
#include "notice/user_notice.h"
#include "probe/os_probes.h"
#include "res/program_names.h"
#include "res/resource_ids.h"
#include "ui/main_dialog.h"
#include "ui/string_resource.h"

namespace {

const wchar_t kSingleInstanceMutex[] = L"" SINGLE_INSTANCE_MUTEX;
const wchar_t kMainWindowClass[] = L"" MAIN_WINDOW_CLASS;

// Registers kMainWindowClass with the attributes of the system dialog
// class. A class already registered counts as success.
bool RegisterMainWindowClass(HINSTANCE instance) {
  // A Unicode class: the dialog's texts reach it as UTF-16 whatever the
  // system's code page for non-Unicode programs is.
  WNDCLASSW dialogClass = {};
  if (::GetClassInfoW(instance, kMainWindowClass, &dialogClass)) return true;
  // The system dialog class is global; a platform that will not find it
  // under the program's instance finds it under none.
  if (!::GetClassInfoW(instance, L"#32770", &dialogClass) &&
      !::GetClassInfoW(nullptr, L"#32770", &dialogClass)) {
    return false;
  }
  dialogClass.hInstance = instance;
  dialogClass.lpszClassName = kMainWindowClass;
  return ::RegisterClassW(&dialogClass) != 0;
}

// The logic folders' notices reach the user as the program's message boxes.
void ShowNoticeInMessageBox(const UserNotice& notice) {
  ShowMessageBox(notice.owner, notice.text, notice.caption ? notice.caption : PROGRAM_TITLE, notice.style);
}

// Hosting of ActiveX controls and the rich-edit library, which the
// framework prepares for every dialog program; neither dialog uses them.
void PrepareDialogFacilities() {
  static HMODULE richEdit = ::LoadLibraryW(L"RICHED32.DLL");
  (void)richEdit;
}

}  // namespace

CwznCheckerApp::CwznCheckerApp() { m_pszAppName = PROGRAM_TITLE; }

CwznCheckerApp::~CwznCheckerApp() = default;

BOOL CwznCheckerApp::InitInstance() {
  // Never closed: the mutex marks this session's copy until the process ends.
  ::CreateMutexW(nullptr, TRUE, kSingleInstanceMutex);
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    const HWND running = ::FindWindowW(kMainWindowClass, nullptr);
    if (running) ::SetForegroundWindow(running);
    return FALSE;
  }

  if (!IsSupportedOs()) {
    const std::string text = LoadStringResource(m_hInstance, IDS_UNSUPPORTED_OS);
    ShowMessageBox(nullptr, text.c_str(), PROGRAM_SHORT_TITLE, MB_OK | MB_ICONERROR | MB_TOPMOST);
    return FALSE;
  }

  SetUserNotifier(ShowNoticeInMessageBox);
  ::InitCommonControls();
  PrepareDialogFacilities();
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (!RegisterMainWindowClass(m_hInstance)) {
    // The main dialog is made of this class: without it nothing would show.
    const std::string text = LoadStringResource(m_hInstance, IDS_WINDOW_CLASS_FAILED);
    ShowMessageBox(nullptr, text.c_str(), PROGRAM_TITLE, MB_OK | MB_ICONERROR | MB_TOPMOST);
    ::CoUninitialize();
    return FALSE;
  }

  {
    CwznCheckerDlg2 dialog(nullptr);
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
  }

  ::CoUninitialize();
  return FALSE;
}
