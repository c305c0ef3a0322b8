// Not a test: the wall time of one whole display check against the
// simulated driver, with and without the HDCP set test (its one-second wait).
#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "judge/display_check_run.h"
#include "judge/judge_log.h"

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double NowMs() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

using ServerEntry = HRESULT(WINAPI*)();

HRESULT CallExport(HMODULE module, const char* name) {
  auto entry = reinterpret_cast<ServerEntry>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return entry ? entry() : E_NOTIMPL;
}

double MedianRunMs(const char* scenario, int runs) {
  SetEnvironmentVariableA("SIMULATED_DRIVER_SCENARIO", scenario);
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    JudgeResult result{};
    const double start = NowMs();
    RunDisplayCheck(&result, 0x10DE, 0x06CD);
    times.push_back(NowMs() - start);
  }
  return Median(times);
}

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  SetJudgeTraceSink([](const char*) {});
  HMODULE ball = LoadLibraryA(BALL_SOURCE_DLL);
  HMODULE driver = LoadLibraryA(SIM_RENDERER_DLL);
  if (!ball || !driver || FAILED(CallExport(ball, "DllRegisterServer")) ||
      FAILED(CallExport(driver, "DllRegisterServer"))) {
    fprintf(stderr, "cannot register the source filter or the simulated driver\n");
    return 1;
  }

  HWND window = CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 480, 360, nullptr,
                                nullptr, nullptr, nullptr);
  CreateWindowExA(0, "STATIC", "", WS_CHILD | SS_BLACKFRAME, 10, 10, 320, 240, window,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(1001)), nullptr, nullptr);
  SetDisplayCheckMainWindow(window);

  const int kRuns = 7;
  const double withHdcp = MedianRunMs("bus=3;connector=5;protection=5", kRuns);
  const double withoutHdcp = MedianRunMs("bus=3;connector=1;protection=4", kRuns);
  printf("whole run, HDMI with HDCP and CGMS-A tests: median %.1f ms over %d runs\n", withHdcp, kRuns);
  printf("whole run, S-Video with CGMS-A test only:   median %.1f ms over %d runs\n", withoutHdcp, kRuns);

  CallExport(driver, "DllUnregisterServer");
  DestroyWindow(window);
  CoUninitialize();
  return 0;
}
