// Saving the report of the last check.
#include "system/version_info.h"
#include "ui/main_dialog.h"
#include "ui/replace_file.h"
#include "ui/report_save_dialog.h"
#include "ui/report_text.h"
#include "winfw/win_app.h"

void CwznCheckerDlg2::WriteReport() {
  const CVersionInfo version;
  const std::string text = ComposeReport(environment_, LoadReportStrings(AfxGetInstanceHandle()),
                                         version.GetFileVersion(), version.GetLegalCopyright());
  // Like the framework's file dialog: without an owner of its own, the
  // window the user is working in owns it (the detail dialog, when it asks).
  const HWND owner = ::GetActiveWindow();
  const CFocusReturn focusReturn;
  std::wstring path;
  if (!AskReportPath(owner, &path)) return;
  if (!ReplaceFileContents(path, text)) ShowReportSaveFailedBox(owner, path);
}
