// Not a test: what a person waits for and what the program costs, measured
// on the real program under Wine, each figure a median paired in the same
// run with its baseline:
// - cold start to the start page shown and painted, against our minimal
//   dialog program shown and painted;
// - start press to the result page painted, on the HDCP path and without
//   it, against the floor of the program's own waits (the 100 ms timer, and
//   the one-second HDCP wait);
// - working set and window count after one check, and the program's size.
// usage: program_bench.exe PROGRAM MINIMAL_DIALOG BALL_SOURCE_DLL SIM_RENDERER_DLL [runs]
#include <objbase.h>
#include <psapi.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "res/program_names.h"
#include "res/resource_ids.h"
#include "tools/window_reading/checker_process.h"
#include "tools/window_reading/debug_output_listener.h"
#include "tools/window_reading/window_probe.h"
#include "text/wide_text.h"

namespace {

// The log lines are code page 932 as the program sent them; the terminal
// that reads this bench speaks UTF-8.
std::string Utf8FromCp932(const std::string& text) {
  const std::wstring wide = WideFromCp932(text);
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(bytes > 0 ? bytes : 0, '\0');
  if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, &utf8[0], bytes, nullptr, nullptr);
  return utf8;
}

double NowMs() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0.0 : values[values.size() / 2];
}

// Polls every millisecond; the time when `done` first held, or -1.
template <typename Predicate>
double TimeUntil(double started, Predicate done, DWORD timeoutMs) {
  for (;;) {
    if (done()) return NowMs() - started;
    if (NowMs() - started > timeoutMs) return -1.0;
    Sleep(1);
  }
}

using ServerEntry = HRESULT(WINAPI*)();
HRESULT CallExport(HMODULE module, const char* name) {
  auto entry = reinterpret_cast<ServerEntry>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return entry ? entry() : E_NOTIMPL;
}

bool Shows(HWND window, const Pixels& picture, const RECT& at) {
  const Pixels shown = CaptureClient(window, at);
  return CountDifferences(shown, picture, at.right - at.left, at.bottom - at.top) == 0;
}

HWND FirstWindow(DWORD processId, const char* className) {
  const std::vector<HWND> windows = ProcessWindows(processId, className);
  return windows.empty() ? nullptr : windows.front();
}

struct Program {
  std::string path;
  Pixels startPage;
  Pixels resultPage;
};

double ColdStartMinimal(const std::string& minimal) {
  const double started = NowMs();
  CheckerProcess process(minimal);
  HWND window = nullptr;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const double shown = TimeUntil(
      started,
      [&] {
        window = window ? window : FirstWindow(process.ProcessId(), "#32770");
        if (!window) return false;
        const Pixels corner = CaptureClient(window, RECT{4, 4, 5, 5});
        return corner.rgb.size() == 1 &&
               corner.rgb[0] ==
                   static_cast<DWORD>((GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face));
      },
      20000);
  if (window) PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
  process.WaitForExit(10000);
  return shown;
}

double ColdStartProgram(const Program& program) {
  const double started = NowMs();
  CheckerProcess process(program.path);
  HWND window = nullptr;
  const double shown = TimeUntil(
      started,
      [&] {
        window = window ? window : FirstWindow(process.ProcessId(), MAIN_WINDOW_CLASS);
        return window && Shows(window, program.startPage, RECT{0, 0, 360, 150});
      },
      20000);
  if (window) PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
  process.WaitForExit(10000);
  return shown;
}

struct CheckFigures {
  double pressToResult = -1;
  // When each judgement-log line arrived, in ms after the press.
  std::vector<std::pair<DWORD, std::string>> timeline;
  SIZE_T workingSet = 0;
  DWORD gdiObjects = 0;
  DWORD userObjects = 0;
  int windows = 0;
};

struct WindowCount {
  DWORD processId;
  int windows;
};

BOOL CALLBACK CountChild(HWND, LPARAM context) {
  ++reinterpret_cast<WindowCount*>(context)->windows;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM context) {
  auto* count = reinterpret_cast<WindowCount*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != count->processId) return TRUE;
  ++count->windows;
  EnumChildWindows(window, CountChild, context);
  return TRUE;
}

// Wine's GetGuiResources is a stub that says 0: the windows, counted here,
// are the USER objects that can be seen from outside.
int CountProcessWindows(DWORD processId) {
  WindowCount count{processId, 0};
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
  return count.windows;
}

// Start press to the result page painted: its background and the display
// mark and banner the scenario leads to.
CheckFigures PressToResult(const Program& program, const char* scenario, const Pixels& mark,
                           const Pixels& banner) {
  CheckFigures figures;
  DebugOutputListener trace;
  SetEnvironmentVariableA("SIMULATED_DRIVER_SCENARIO", scenario);
  CheckerProcess process(program.path);
  SetEnvironmentVariableA("SIMULATED_DRIVER_SCENARIO", nullptr);
  trace.Follow(process.ProcessId());
  HWND window = nullptr;
  if (TimeUntil(
          NowMs(),
          [&] {
            window = window ? window : FirstWindow(process.ProcessId(), MAIN_WINDOW_CLASS);
            return window && Shows(window, program.startPage, RECT{0, 0, 360, 150});
          },
          20000) < 0) {
    return figures;
  }
  Sleep(300);
  const DWORD pressTick = GetTickCount();
  const double pressed = NowMs();
  SendMessageA(GetDlgItem(window, IDC_START_CHECK), BM_CLICK, 0, 0);
  figures.pressToResult = TimeUntil(
      pressed,
      [&] {
        return Shows(window, program.resultPage, RECT{0, 0, 140, 70}) &&
               Shows(window, mark, RECT{57, 309, 107, 359}) && Shows(window, banner, RECT{150, 78, 630, 138});
      },
      20000);
  for (const DebugOutputListener::Message& message : trace.Messages()) {
    figures.timeline.emplace_back(message.tick - pressTick, message.text);
  }
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof(memory);
  if (GetProcessMemoryInfo(process.Handle(), &memory, sizeof(memory)))
    figures.workingSet = memory.WorkingSetSize;
  figures.gdiObjects = GetGuiResources(process.Handle(), GR_GDIOBJECTS);
  figures.userObjects = GetGuiResources(process.Handle(), GR_USEROBJECTS);
  figures.windows = CountProcessWindows(process.ProcessId());
  PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
  process.WaitForExit(10000);
  return figures;
}

DWORD FileBytes(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    fprintf(stderr, "usage: program_bench PROGRAM MINIMAL_DIALOG BALL_SOURCE_DLL SIM_RENDERER_DLL [runs]\n");
    return 2;
  }
  const int runs = argc > 5 ? std::max(1, atoi(argv[5])) : 7;
  Program program{argv[1], LoadPictureResource(argv[1], IDB_START_PAGE),
                  LoadPictureResource(argv[1], IDB_RESULT_PAGE)};
  const std::string minimal = argv[2];
  // Where Wine gives us a console, it must not decode our UTF-8 as its own code page.
  SetConsoleOutputCP(CP_UTF8);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HMODULE ball = LoadLibraryA(argv[3]);
  HMODULE driver = LoadLibraryA(argv[4]);
  if (program.startPage.width == 0 || !ball || !driver || FAILED(CallExport(ball, "DllRegisterServer")) ||
      FAILED(CallExport(driver, "DllRegisterServer"))) {
    fprintf(stderr, "cannot read the program's pictures or register the filters\n");
    return 1;
  }

  std::vector<double> programStart, minimalStart;
  for (int i = 0; i < runs; ++i) {
    minimalStart.push_back(ColdStartMinimal(minimal));
    programStart.push_back(ColdStartProgram(program));
    printf("cold start %d: program %.0f ms, minimal dialog %.0f ms\n", i + 1, programStart.back(),
           minimalStart.back());
  }

  const Pixels doubleCircle = LoadPictureResource(program.path, IDB_MARK_DOUBLE_CIRCLE);
  const Pixels circle = LoadPictureResource(program.path, IDB_MARK_CIRCLE);
  const Pixels suitable = LoadPictureResource(program.path, IDB_BANNER_SUITABLE);
  const Pixels limited = LoadPictureResource(program.path, IDB_BANNER_LIMITED);
  std::vector<double> hdcp, plain;
  CheckFigures last;
  for (int i = 0; i < runs; ++i) {
    hdcp.push_back(PressToResult(program, "connector=5;protection=5", doubleCircle, suitable).pressToResult);
    last = PressToResult(program, "bus=4;connector=0;protection=4", circle, limited);
    plain.push_back(last.pressToResult);
    printf("start press to result %d: HDCP path %.0f ms, without HDCP %.0f ms\n", i + 1, hdcp.back(),
           plain.back());
  }
  CallExport(driver, "DllUnregisterServer");
  printf("\nthe last check without HDCP, its log lines in ms after the press:\n");
  for (const auto& line : last.timeline) printf("  %5lu  %s\n", line.first, Utf8FromCp932(line.second).c_str());

  const double p = Median(programStart), m = Median(minimalStart);
  printf("\nmedians over %d runs\n", runs);
  printf("cold start to painted: program %.0f ms, minimal dialog %.0f ms, ratio %.2f (goal <= 1.30)\n", p, m,
         m > 0 ? p / m : 0.0);
  printf("start press to result painted, HDCP path: %.0f ms, floor 1100 ms, %.0f ms above (goal <= 300)\n",
         Median(hdcp), Median(hdcp) - 1100.0);
  printf("start press to result painted, without HDCP: %.0f ms, floor 100 ms, %.0f ms above (goal <= 300)\n",
         Median(plain), Median(plain) - 100.0);
  printf(
      "after one check: working set %.1f MB, GDI objects %lu, USER objects %lu (0: not counted by this "
      "Wine), "
      "%d windows\n",
      last.workingSet / 1048576.0, last.gdiObjects, last.userObjects, last.windows);
  printf("program file: %lu bytes\n", FileBytes(program.path));
  CoUninitialize();
  return 0;
}
