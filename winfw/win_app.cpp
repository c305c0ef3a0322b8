#include "winfw/win_app.h"

namespace {
CWinApp* g_application = nullptr;
}

CWinApp::CWinApp() { g_application = this; }

CWinApp::~CWinApp() {
  if (g_application == this) g_application = nullptr;
}

int CWinApp::Run() {
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

int CWinApp::Start(HINSTANCE instance, int showCommand) {
  m_hInstance = instance;
  m_nCmdShow = showCommand;
  if (!InitInstance()) return 0;
  return Run();
}

CWinApp* AfxGetApp() { return g_application; }

HINSTANCE AfxGetInstanceHandle() {
  return g_application ? g_application->m_hInstance : ::GetModuleHandleW(nullptr);
}

CWnd* AfxGetMainWnd() { return g_application ? g_application->m_pMainWnd : nullptr; }

const char* AfxGetAppName() {
  if (g_application && g_application->m_pszAppName) return g_application->m_pszAppName;
  return "qorChecker";
}
