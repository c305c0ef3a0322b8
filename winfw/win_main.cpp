#include <windows.h>

#include "winfw/win_app.h"

// The program defines exactly one CWinApp-derived global; without one there
// is nothing to start.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  CWinApp* application = AfxGetApp();
  if (!application) return 1;
  return application->Start(instance, showCommand);
}
