#pragma once

#include "winfw/win_app.h"

// The checker's application object: one copy per session, Vista and 7
// only, then the main dialog, run modally.
class CwznCheckerApp : public CWinApp {
 public:
  CwznCheckerApp();
  ~CwznCheckerApp() override;

  // Never runs a message loop of its own: false ends the process.
  BOOL InitInstance() override;
};
