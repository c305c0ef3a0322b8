// Asks, from inside the test prefix, what an installed system answers: which
// module serves the source filter, where a shortcut leads, whether the
// program opens its main window, and what the setup's version resource and
// finish page say. Prints one "name value" line per answer in UTF-8, so the
// test script compares the exact texts a user would see.
#include <windows.h>

#include <dshow.h>
#include <shlobj.h>
#include <tlhelp32.h>
#include <wrl/client.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "sourcefilter/ball_source_ids.h"

using Microsoft::WRL::ComPtr;

namespace {

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using ScopedHandle = std::unique_ptr<void, HandleCloser>;

void PrintLine(const char* name, const std::wstring& value) {
  std::string line(name);
  line += ' ';
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, value.c_str(), static_cast<int>(value.size()), nullptr, 0,
                                        nullptr, nullptr);
  const size_t start = line.size();
  line.resize(start + bytes);
  WideCharToMultiByte(CP_UTF8, 0, value.c_str(), static_cast<int>(value.size()), &line[start], bytes, nullptr,
                      nullptr);
  line += '\n';
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::wstring Hex(unsigned long value) {
  wchar_t text[16];
  swprintf(text, 16, L"0x%08lX", value);
  return text;
}

// Starts a command line in a folder (null: this one); null, said, when it cannot.
ScopedHandle StartProcess(const wchar_t* exePath, std::wstring commandLine, const wchar_t* directory,
                          DWORD* processId = nullptr) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(exePath, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, directory, &startup,
                      &info)) {
    PrintLine("start", Hex(GetLastError()));
    return nullptr;
  }
  CloseHandle(info.hThread);
  if (processId) *processId = info.dwProcessId;
  return ScopedHandle(info.hProcess);
}

// Waits for the process to end and says its exit code; one that hangs is ended.
int PrintExit(HANDLE process, DWORD timeoutMs) {
  if (WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process, 99);
    WaitForSingleObject(process, 5000);
    PrintLine("exit", L"(hung)");
    return 1;
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(process, &exitCode);
  PrintLine("exit", std::to_wstring(exitCode));
  return 0;
}

std::wstring ModuleContaining(const void* address) {
  HMODULE module = nullptr;
  const DWORD flags = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
  if (!GetModuleHandleExW(flags, static_cast<LPCWSTR>(address), &module)) return L"(none)";
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
  return std::wstring(path, length);
}

// The module is found from the object's own vtable: that is the server COM
// really loaded, whatever the registry says.
int ProbeFilter() {
  ComPtr<IBaseFilter> filter;
  HRESULT hr = CoCreateInstance(kBallSourceClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                reinterpret_cast<void**>(filter.GetAddressOf()));
  PrintLine("create", Hex(hr));
  if (FAILED(hr)) return 0;
  PrintLine("server", ModuleContaining(*reinterpret_cast<void**>(filter.Get())));

  ComPtr<IGraphBuilder> graph;
  hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                        reinterpret_cast<void**>(graph.GetAddressOf()));
  if (FAILED(hr)) {
    PrintLine("graph", Hex(hr));
    return 1;
  }
  PrintLine("add", Hex(graph->AddFilter(filter.Get(), L"Bouncing Ball")));
  ComPtr<IEnumPins> pins;
  int outputs = 0;
  if (SUCCEEDED(filter->EnumPins(&pins))) {
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
      PIN_DIRECTION direction = PINDIR_INPUT;
      if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == PINDIR_OUTPUT) ++outputs;
    }
  }
  PrintLine("outputs", std::to_wstring(outputs));
  graph->RemoveFilter(filter.Get());
  return 0;
}

int ProbeShortcut(const wchar_t* linkPath) {
  ComPtr<IShellLinkW> link;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(link.GetAddressOf()));
  ComPtr<IPersistFile> file;
  if (SUCCEEDED(hr)) hr = link.As(&file);
  if (SUCCEEDED(hr)) hr = file->Load(linkPath, STGM_READ);
  PrintLine("load", Hex(hr));
  if (FAILED(hr)) return 0;
  wchar_t text[MAX_PATH] = {};
  link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
  PrintLine("target", text);
  text[0] = L'\0';
  link->GetWorkingDirectory(text, MAX_PATH);
  PrintLine("directory", text);
  int iconIndex = -1;
  text[0] = L'\0';
  link->GetIconLocation(text, MAX_PATH, &iconIndex);
  PrintLine("icon", std::wstring(text) + L"," + std::to_wstring(iconIndex));
  return 0;
}

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  if (owner != search->processId || !IsWindowVisible(window) ||
      lstrcmpW(className, L"wznCheckerClass") != 0) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

// Waits, bounded, for the process's main window; null when none shows.
HWND WaitForMainWindow(HANDLE process, DWORD processId) {
  WindowSearch search{processId, nullptr};
  const DWORD started = GetTickCount();
  while (!search.found && GetTickCount() - started < 30000) {
    if (WaitForSingleObject(process, 100) != WAIT_TIMEOUT) break;
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
  }
  return search.found;
}

// Starts the program as its shortcut would, waits for its main window,
// then closes it the way its cancel button does. Every wait is bounded.
int ProbeProgram(const wchar_t* exePath, const wchar_t* directory) {
  DWORD processId = 0;
  const ScopedHandle process =
      StartProcess(exePath, L"\"" + std::wstring(exePath) + L"\"", directory, &processId);
  if (!process) return 1;

  wchar_t image[MAX_PATH] = {};
  DWORD imageLength = MAX_PATH;
  QueryFullProcessImageNameW(process.get(), 0, image, &imageLength);
  PrintLine("image", image);

  const HWND window = WaitForMainWindow(process.get(), processId);
  if (window) {
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    PrintLine("window", title);
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  } else {
    PrintLine("window", L"(none)");
  }
  return PrintExit(process.get(), 15000);
}

// Runs a command line exactly as given: an NSIS uninstaller takes "_?=" only
// unquoted and last, which no argument quoting of Wine's can produce.
int ProbeCommand(const wchar_t* exePath, const wchar_t* arguments) {
  const ScopedHandle process =
      StartProcess(exePath, L"\"" + std::wstring(exePath) + L"\" " + arguments, nullptr);
  return process ? PrintExit(process.get(), 60000) : 1;
}

// Runs a command line while the program runs from its folder, as a user
// who left it open would; then closes the program, which must still be
// running, and says so.
int ProbeWhileRunning(const wchar_t* programExe, const wchar_t* directory, const wchar_t* exePath,
                      const wchar_t* arguments) {
  DWORD processId = 0;
  const ScopedHandle program =
      StartProcess(programExe, L"\"" + std::wstring(programExe) + L"\"", directory, &processId);
  if (!program) return 1;
  const HWND window = WaitForMainWindow(program.get(), processId);
  if (!window) {
    PrintLine("window", L"(none)");
    TerminateProcess(program.get(), 99);
    return 1;
  }
  ProbeCommand(exePath, arguments);
  const bool running = WaitForSingleObject(program.get(), 0) == WAIT_TIMEOUT;
  PrintLine("program", running ? L"still running" : L"(ended)");
  PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  if (WaitForSingleObject(program.get(), 15000) != WAIT_OBJECT_0) TerminateProcess(program.get(), 99);
  return 0;
}

// The setup program's own version resource, as Explorer's properties show it.
int ProbeVersion(const wchar_t* filePath) {
  DWORD unused = 0;
  const DWORD size = GetFileVersionInfoSizeW(filePath, &unused);
  std::vector<BYTE> block(size);
  if (size == 0 || !GetFileVersionInfoW(filePath, 0, size, block.data())) {
    PrintLine("version", L"(none)");
    return 0;
  }
  struct Translation {
    WORD language;
    WORD codePage;
  }* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                      &length) ||
      length < sizeof(Translation)) {
    PrintLine("version", L"(no translation)");
    return 0;
  }
  wchar_t prefix[64];
  swprintf(prefix, 64, L"\\StringFileInfo\\%04x%04x\\", translation->language, translation->codePage);
  PrintLine("language", std::to_wstring(translation->language));
  for (const char* name : {"ProductName", "ProductVersion", "CompanyName", "FileDescription"}) {
    const std::wstring key = prefix + std::wstring(name, name + strlen(name));
    wchar_t* value = nullptr;
    length = 0;
    const bool found = VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length);
    PrintLine(name, found && length > 0 ? std::wstring(value) : L"(none)");
  }
  return 0;
}

struct ControlSearch {
  HWND found;
};

BOOL CALLBACK FindCheckBox(HWND control, LPARAM context) {
  wchar_t className[32] = {};
  GetClassNameW(control, className, 32);
  const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  if (lstrcmpiW(className, L"Button") == 0 && IsWindowVisible(control) &&
      (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX)) {
    reinterpret_cast<ControlSearch*>(context)->found = control;
    return FALSE;
  }
  return TRUE;
}

DWORD ParentOf(DWORD processId) {
  ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  if (snapshot.get() == INVALID_HANDLE_VALUE) {
    snapshot.release();
    return 0;
  }
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ProcessID == processId) return entry.th32ParentProcessID;
  }
  return 0;
}

HWND WizardPage(HWND wizard) { return FindWindowExW(wizard, nullptr, L"#32770", nullptr); }

// Presses the wizard's [次へ] button (id 1) as a click would, then waits for
// the next page and for the button to be usable again: the install page
// holds it back until the files are in.
bool NextPage(HWND wizard) {
  const HWND page = WizardPage(wizard);
  PostMessageW(GetDlgItem(wizard, IDOK), BM_CLICK, 0, 0);
  const DWORD started = GetTickCount();
  while (GetTickCount() - started < 60000) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    const HWND now = WizardPage(wizard);
    if (now && now != page && IsWindowEnabled(GetDlgItem(wizard, IDOK))) return true;
    Sleep(50);
  }
  return false;
}

// Runs the setup as a user would, with the default answer on every page,
// and reports the finish page's check box; [完了] then ends the setup, and
// a ticked box starts the installed program, whose window is reported too.
int ProbeFinishPage(const wchar_t* setupPath, const wchar_t* installedExe) {
  DWORD setupId = 0;
  const ScopedHandle process =
      StartProcess(setupPath, L"\"" + std::wstring(setupPath) + L"\"", nullptr, &setupId);
  if (!process) return 1;
  HWND wizard = nullptr;
  const DWORD started = GetTickCount();
  while (!wizard && GetTickCount() - started < 30000) {
    if (WaitForSingleObject(process.get(), 100) != WAIT_TIMEOUT) break;
    HWND candidate = FindWindowW(L"#32770", nullptr);
    DWORD owner = 0;
    if (candidate) GetWindowThreadProcessId(candidate, &owner);
    if (candidate && owner == setupId && IsWindowVisible(candidate) && WizardPage(candidate)) {
      wizard = candidate;
    }
  }
  // Welcome, folder, install, finish.
  bool reached = wizard != nullptr;
  for (int page = 0; reached && page < 3; ++page) reached = NextPage(wizard);
  ControlSearch search{nullptr};
  if (reached) EnumChildWindows(WizardPage(wizard), FindCheckBox, reinterpret_cast<LPARAM>(&search));
  if (!search.found) {
    PrintLine("checkbox", L"(none)");
    TerminateProcess(process.get(), 99);
    return 1;
  }
  wchar_t text[128] = {};
  GetWindowTextW(search.found, text, 128);
  PrintLine("checkbox", text);
  PrintLine("checked", std::to_wstring(SendMessageW(search.found, BM_GETCHECK, 0, 0)));

  PostMessageW(GetDlgItem(wizard, IDOK), BM_CLICK, 0, 0);
  if (WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 99);
    PrintLine("setup", L"(hung)");
    return 1;
  }
  HWND program = nullptr;
  const DWORD waitStarted = GetTickCount();
  while (!program && GetTickCount() - waitStarted < 30000) {
    program = FindWindowW(L"wznCheckerClass", nullptr);
    if (!program) Sleep(100);
  }
  if (!program) {
    PrintLine("program", L"(none)");
    return 0;
  }
  DWORD programId = 0;
  GetWindowThreadProcessId(program, &programId);
  ScopedHandle programProcess(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, programId));
  wchar_t image[MAX_PATH] = {};
  DWORD imageLength = MAX_PATH;
  if (programProcess) QueryFullProcessImageNameW(programProcess.get(), 0, image, &imageLength);
  PrintLine("program", lstrcmpiW(image, installedExe) == 0 ? L"the installed one" : image);
  // Started by the elevated setup itself, it would run with the setup's rights.
  PrintLine("parent", ParentOf(programId) == setupId ? L"the setup" : L"not the setup");
  PostMessageW(program, WM_COMMAND, IDCANCEL, 0);
  if (programProcess) WaitForSingleObject(programProcess.get(), 15000);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
  int result = 2;
  if (args.size() == 1 && args[0] == L"filter") {
    result = ProbeFilter();
  } else if (args.size() == 2 && args[0] == L"shortcut") {
    result = ProbeShortcut(args[1].c_str());
  } else if (args.size() == 3 && args[0] == L"program") {
    result = ProbeProgram(args[1].c_str(), args[2].c_str());
  } else if (args.size() == 3 && args[0] == L"run") {
    result = ProbeCommand(args[1].c_str(), args[2].c_str());
  } else if (args.size() == 5 && args[0] == L"while-running") {
    result = ProbeWhileRunning(args[1].c_str(), args[2].c_str(), args[3].c_str(), args[4].c_str());
  } else if (args.size() == 2 && args[0] == L"version") {
    result = ProbeVersion(args[1].c_str());
  } else if (args.size() == 3 && args[0] == L"finish-page") {
    result = ProbeFinishPage(args[1].c_str(), args[2].c_str());
  } else {
    std::fputs("usage: installer_probe filter | shortcut LINK | program EXE DIRECTORY | run EXE ARGUMENTS |"
               " while-running PROGRAM DIRECTORY EXE ARGUMENTS |"
               " version FILE | finish-page SETUP INSTALLED_EXE\n",
               stderr);
  }
  CoUninitialize();
  return result;
}
