// Asks, from inside the test prefix, what an installed system answers: which
// module serves the source filter, where a shortcut leads, and whether the
// program opens its main window. Prints one "name value" line per answer in
// UTF-8, so the test script compares the exact texts a user would see.
#include <windows.h>

#include <dshow.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <cstdio>
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

// Starts the program as its shortcut would, waits for its main window,
// then closes it the way its cancel button does. Every wait is bounded.
int ProbeProgram(const wchar_t* exePath, const wchar_t* directory) {
  std::wstring commandLine = L"\"" + std::wstring(exePath) + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(exePath, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, directory, &startup,
                      &info)) {
    PrintLine("start", Hex(GetLastError()));
    return 1;
  }
  CloseHandle(info.hThread);
  ScopedHandle process(info.hProcess);

  wchar_t image[MAX_PATH] = {};
  DWORD imageLength = MAX_PATH;
  QueryFullProcessImageNameW(process.get(), 0, image, &imageLength);
  PrintLine("image", image);

  WindowSearch search{info.dwProcessId, nullptr};
  const DWORD started = GetTickCount();
  while (!search.found && GetTickCount() - started < 30000) {
    if (WaitForSingleObject(process.get(), 100) != WAIT_TIMEOUT) break;
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
  }
  if (search.found) {
    wchar_t title[64] = {};
    GetWindowTextW(search.found, title, 64);
    PrintLine("window", title);
    PostMessageW(search.found, WM_COMMAND, IDCANCEL, 0);
  } else {
    PrintLine("window", L"(none)");
  }
  if (WaitForSingleObject(process.get(), 15000) != WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 99);
    WaitForSingleObject(process.get(), 5000);
    PrintLine("exit", L"(hung)");
    return 1;
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(process.get(), &exitCode);
  PrintLine("exit", std::to_wstring(exitCode));
  return 0;
}

// Runs a command line exactly as given: an NSIS uninstaller takes "_?=" only
// unquoted and last, which no argument quoting of Wine's can produce.
int ProbeCommand(const wchar_t* exePath, const wchar_t* arguments) {
  std::wstring commandLine = L"\"" + std::wstring(exePath) + L"\" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(exePath, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    PrintLine("start", Hex(GetLastError()));
    return 1;
  }
  CloseHandle(info.hThread);
  ScopedHandle process(info.hProcess);
  if (WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 99);
    WaitForSingleObject(process.get(), 5000);
    PrintLine("exit", L"(hung)");
    return 1;
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(process.get(), &exitCode);
  PrintLine("exit", std::to_wstring(exitCode));
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
  } else {
    std::fputs("usage: installer_probe filter | shortcut LINK | program EXE DIRECTORY | run EXE ARGUMENTS\n",
               stderr);
  }
  CoUninitialize();
  return result;
}
