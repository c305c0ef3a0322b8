#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <string>

#include "ui/report_save_dialog.h"

namespace {

// What the timer saw of the open save dialog, and what it did to it.
struct DialogVisit {
  std::wstring answerPath;  // typed in and confirmed; empty: cancel
  bool found = false;
  std::string nameText;
  std::string filterText;
};
DialogVisit* g_visit = nullptr;

std::string ClassOf(HWND window) {
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof(name));
  return name;
}

std::string TextOf(HWND window) {
  char text[512] = {};
  ::GetWindowTextA(window, text, sizeof(text));
  return text;
}

HWND g_dialog = nullptr;

BOOL CALLBACK FindDialog(HWND window, LPARAM) {
  if (::IsWindowVisible(window) && ClassOf(window) == "#32770") {
    g_dialog = window;
    return FALSE;
  }
  return TRUE;
}

HWND g_nameEdit = nullptr;

BOOL CALLBACK LookAtChild(HWND child, LPARAM) {
  const std::string type = ClassOf(child);
  if (type == "Edit" && TextOf(child) == "qorChekerLog.txt") g_nameEdit = child;
  if (type == "ComboBox") {
    const LRESULT count = ::SendMessageA(child, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      char item[256] = {};
      if (::SendMessageA(child, CB_GETLBTEXTLEN, i, 0) >= static_cast<LRESULT>(sizeof(item))) continue;
      ::SendMessageA(child, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
      if (std::string(item).find("Text Files (*txt)") != std::string::npos) g_visit->filterText = item;
    }
  }
  return TRUE;
}

void CALLBACK VisitDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  g_dialog = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, 0);
  if (!g_dialog) return;
  ::KillTimer(nullptr, timer);
  g_visit->found = true;
  g_nameEdit = nullptr;
  ::EnumChildWindows(g_dialog, LookAtChild, 0);
  if (g_nameEdit) g_visit->nameText = TextOf(g_nameEdit);
  if (g_visit->answerPath.empty() || !g_nameEdit) {
    ::PostMessageA(g_dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  ::SetWindowTextW(g_nameEdit, g_visit->answerPath.c_str());
  ::PostMessageA(g_dialog, WM_COMMAND, IDOK, 0);
}

// Asks for the report's path while the timer answers the dialog as `visit` says.
bool Ask(DialogVisit* visit, std::wstring* path) {
  g_visit = visit;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 200, VisitDialog);
  const bool answered = AskReportPath(nullptr, path);
  ::KillTimer(nullptr, timer);
  g_visit = nullptr;
  return answered;
}

// Cancelled, the dialog offered the report's name and no path comes back.
// Without COM the item dialog cannot be made; the classic dialog takes over.
TEST(ReportDialog, CancelGivesNoPathFromEitherDialog) {
  for (const bool itemDialog : {true, false}) {
    SCOPED_TRACE(itemDialog ? "item dialog" : "classic dialog");
    if (itemDialog) {
      ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    }
    DialogVisit visit;
    std::wstring path = L"left over";
    EXPECT_FALSE(Ask(&visit, &path));
    EXPECT_TRUE(visit.found);
    EXPECT_EQ("qorChekerLog.txt", visit.nameText);
    EXPECT_EQ(L"", path);
    if (itemDialog) {
      EXPECT_NE(std::string::npos, visit.filterText.find("Text Files (*txt)"));
      ::CoUninitialize();
    } else {
      EXPECT_EQ("Text Files (*txt)", visit.filterText);
    }
  }
}

// A name comes back as the dialog gave it; one typed without an extension
// gets ".txt", so Notepad opens the report. U+D55C, a Hangul syllable, is in
// no Japanese code page. Wine's item dialog adds the filter's extension by
// itself; Windows' adds only the default extension the program names.
TEST(ReportDialogNames, ComeBackAsTypedWithTheTextExtensionAdded) {
  struct Case {
    bool itemDialog;
    std::wstring typed;
    std::wstring saved;
  };
  const std::wstring odd = L"判定表\xD55C";
  const Case cases[] = {{true, odd + L"_report.txt", odd + L"_report.txt"},
                        {true, L"report", L"report.txt"},
                        {false, odd + L"_classic.txt", odd + L"_classic.txt"},
                        {false, L"classic", L"classic.txt"}};
  wchar_t folder[MAX_PATH];
  ASSERT_NE(0u, ::GetTempPathW(MAX_PATH, folder));
  for (const Case& c : cases) {
    // Without COM the item dialog cannot be made; the classic dialog takes over.
    if (c.itemDialog) {
      ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    }
    DialogVisit visit;
    visit.answerPath = std::wstring(folder) + c.typed;
    ::DeleteFileW((std::wstring(folder) + c.saved).c_str());
    std::wstring path;
    EXPECT_TRUE(Ask(&visit, &path));
    EXPECT_EQ(std::wstring(folder) + c.saved, path) << (c.itemDialog ? "item dialog" : "classic dialog");
    if (c.itemDialog) ::CoUninitialize();
  }
}

}  // namespace
