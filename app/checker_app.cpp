#include "app/checker_app.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "handles/message_box.h"
#include "probe/os_probes.h"
#include "res/program_names.h"
#include "res/resource_ids.h"
#include "ui/main_dialog.h"
#include "ui/string_resource.h"

namespace {

const char kSingleInstanceMutex[] = "wznCheckerMutexName";
const char kRefusalCaption[] = "ソラリオ";
// The class a second copy looks for; the main dialog's template names it.
const char kMainWindowClass[] = "wznCheckerClass";

// Registers kMainWindowClass with the attributes of the system dialog
// class. A class already registered counts as success.
bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSA dialogClass = {};
  if (::GetClassInfoA(instance, kMainWindowClass, &dialogClass)) return true;
  // The system dialog class is global; a platform that will not find it
  // under the program's instance finds it under none.
  if (!::GetClassInfoA(instance, "#32770", &dialogClass) && !::GetClassInfoA(nullptr, "#32770", &dialogClass)) {
    return false;
  }
  dialogClass.hInstance = instance;
  dialogClass.lpszClassName = kMainWindowClass;
  return ::RegisterClassA(&dialogClass) != 0;
}

// Hosting of ActiveX controls and the rich-edit library, which the
// framework prepares for every dialog program; neither dialog uses them.
void PrepareDialogFacilities() {
  static HMODULE richEdit = ::LoadLibraryA("RICHED32.DLL");
  (void)richEdit;
}

}  // namespace

CwznCheckerApp::CwznCheckerApp() { m_pszAppName = PROGRAM_TITLE; }

CwznCheckerApp::~CwznCheckerApp() = default;

BOOL CwznCheckerApp::InitInstance() {
  // Never closed: the mutex marks this session's copy until the process ends.
  ::CreateMutexA(nullptr, TRUE, kSingleInstanceMutex);
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    const HWND running = ::FindWindowA(kMainWindowClass, nullptr);
    if (running) ::SetForegroundWindow(running);
    return FALSE;
  }

  if (!IsSupportedOs()) {
    const std::string text = LoadStringResource(m_hInstance, IDS_UNSUPPORTED_OS);
    ShowMessageBox(nullptr, text.c_str(), kRefusalCaption, MB_OK | MB_ICONERROR | MB_TOPMOST);
    return FALSE;
  }

  ::InitCommonControls();
  PrepareDialogFacilities();
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  RegisterMainWindowClass(m_hInstance);

  {
    CwznCheckerDlg2 dialog(nullptr);
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
  }

  ::CoUninitialize();
  return FALSE;
}
