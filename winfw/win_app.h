#pragma once

#include <windows.h>

class CWnd;

// The one application object of the process. WinMain hands it the instance
// and calls InitInstance; a true result runs a message loop until WM_QUIT.
class CWinApp {
 public:
  CWinApp();
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance() { return FALSE; }
  virtual int Run();

  // Called by WinMain: records the instance and runs the start routine.
  int Start(HINSTANCE instance, int showCommand);

  HINSTANCE m_hInstance = nullptr;
  CWnd* m_pMainWnd = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;
  // Caption of boxes shown without one; the program file's name when unset.
  const char* m_pszAppName = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
CWnd* AfxGetMainWnd();
const char* AfxGetAppName();
