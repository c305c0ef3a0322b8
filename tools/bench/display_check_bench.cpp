// Not a test: the wall time of one whole display check against the
// simulated driver, with and without the HDCP set test (its one-second wait),
// and where the time of one run goes, step by step, in the run's own order;
// then the start handler's WMI queries, answered and stalled.
#include <objbase.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "copp/copp_queries.h"
#include "copp/copp_session.h"
#include "copp/renderer_graph.h"
#include "judge/display_check_run.h"
#include "probe/directdraw_probe.h"
#include "probe/display_device.h"
#include "probe/wmi_queries.h"
#include "probe/wmi_session.h"
#include "tools/bench/bench_timing.h"
#include "trace/judge_log.h"

namespace {

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

// The steps of one run, timed one by one; the queries and commands are the
// ones a run on an HDMI output with both protections makes.
enum Step {
  kDirectDraw,
  kGraphBuild,
  kSessionStart,
  kStatusRequests,
  kHdcpTest,
  kCgmsaTest,
  kTearDown,
  kSteps
};
const char* const kStepNames[kSteps] = {
    "DirectDraw ids",       "graph build", "session start", "status requests (4)",
    "HDCP test (1 s wait)", "CGMS-A test", "tear-down"};

void TimeOneRun(HWND window, std::vector<double> (&times)[kSteps]) {
  uint32_t value = 0, flags = 0, vendor = 0, device = 0;
  double t = NowMs();
  auto lap = [&](Step step) {
    const double now = NowMs();
    times[step].push_back(now - t);
    t = now;
  };
  GetDirectDrawDeviceIds(window, &vendor, &device);
  lap(kDirectDraw);
  OpenRendererGraph(window, GetDlgItem(window, 1001));
  lap(kGraphBuild);
  CoppOpenSession(GetRendererFilter());
  lap(kSessionStart);
  CoppGetConnectorType(&value, &flags);
  CoppGetBusType(&value, &flags);
  CoppGetConnectorType(&value, &flags);
  CoppGetProtectionTypes(&value, &flags);
  lap(kStatusRequests);
  CoppGetGlobalLevel(&value, &flags);
  CoppGetHdcpLocalLevel(&value, &flags);
  CoppSetHdcpLevel(1);
  Sleep(1000);
  CoppGetGlobalLevel(&value, &flags);
  CoppGetHdcpLocalLevel(&value, &flags);
  lap(kHdcpTest);
  CoppGetCgmsaGlobalLevel(&value, &flags);
  CoppGetCgmsaLocalLevel(&value, &flags);
  for (uint32_t level = 1; level <= 4; ++level) {
    CoppSetCgmsaLevel(level);
    CoppGetCgmsaLocalLevel(&value, &flags);
  }
  lap(kCgmsaTest);
  CoppCloseSession();
  CloseRendererGraph();
  lap(kTearDown);
}

void PrintBreakdown(HWND window, int runs) {
  SetEnvironmentVariableA("SIMULATED_DRIVER_SCENARIO", "bus=3;connector=5;protection=5");
  std::vector<double> times[kSteps];
  for (int i = 0; i < runs; ++i) TimeOneRun(window, times);
  double total = 0;
  double firstTotal = 0;
  printf("one run, step by step (first run of the process | median over %d runs):\n", runs);
  for (int step = 0; step < kSteps; ++step) {
    const double median = Median(times[step]);
    total += median;
    firstTotal += times[step][0];
    printf("  %-22s %8.1f | %8.1f ms\n", kStepNames[step], times[step][0], median);
  }
  printf("  %-22s %8.1f | %8.1f ms (%.1f ms above the 1 s wait)\n", "sum", firstTotal, total, total - 1000.0);
}

void PrintWmiQueries(HWND window, int runs) {
  std::vector<double> device, osName, cpuName, memory, controller;
  for (int i = 0; i < runs; ++i) {
    std::string text;
    double bytes = 0;
    int position = 0;
    DISPLAY_DEVICEA record = {};
    record.cb = sizeof(record);
    double t = NowMs();
    FindWindowDisplayDevice(window, &record);
    WmiFindVideoController(record.DeviceID, &position);
    device.push_back(NowMs() - t);
    t = NowMs();
    WmiGetOsName(&text);
    osName.push_back(NowMs() - t);
    t = NowMs();
    WmiGetCpuName(&text);
    cpuName.push_back(NowMs() - t);
    t = NowMs();
    WmiGetInstalledMemory(&bytes);
    memory.push_back(NowMs() - t);
    t = NowMs();
    WmiGetVideoControllerName(position, &text);
    controller.push_back(NowMs() - t);
  }
  printf("the start handler's WMI queries (first in the process | median over %d):\n", runs);
  const std::vector<double>* columns[] = {&device, &osName, &cpuName, &memory, &controller};
  const char* const names[] = {"video controller find", "OS name", "processor name", "installed memory",
                               "controller name"};
  double first = 0, median = 0;
  for (int i = 0; i < 5; ++i) {
    first += (*columns[i])[0];
    median += Median(*columns[i]);
    printf("  %-22s %8.1f | %8.1f ms\n", names[i], (*columns[i])[0], Median(*columns[i]));
  }
  printf("  %-22s %8.1f | %8.1f ms\n", "sum", first, median);
}

HANDLE g_wmiAnswers = nullptr;

// A WMI service that takes the query and answers only when the bench lets it.
HRESULT StalledExecQuery(IWbemServices*, BSTR, BSTR, long, IEnumWbemClassObject** rows) {
  WaitForSingleObject(g_wmiAnswers, INFINITE);
  *rows = nullptr;
  return WBEM_E_FAILED;
}

// How long the start handler's reads hold the window's thread when WMI
// never answers a query.
void PrintStalledWmi(HWND window) {
  g_wmiAnswers = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  SetWmiExecQuery(StalledExecQuery);
  std::string text;
  double bytes = 0;
  int position = 0;
  DISPLAY_DEVICEA record = {};
  record.cb = sizeof(record);
  FindWindowDisplayDevice(window, &record);
  const double start = NowMs();
  double t = start;
  printf("the same reads with a WMI that never answers a query (ms each):");
  WmiFindVideoController(record.DeviceID, &position);
  printf(" %.0f", NowMs() - t), t = NowMs();
  WmiGetOsName(&text);
  printf(" %.0f", NowMs() - t), t = NowMs();
  WmiGetCpuName(&text);
  printf(" %.0f", NowMs() - t), t = NowMs();
  WmiGetInstalledMemory(&bytes);
  printf(" %.0f", NowMs() - t), t = NowMs();
  WmiGetVideoControllerName(position, &text);
  printf(" %.0f; the window held %.0f ms in all\n", NowMs() - t, NowMs() - start);
  SetEvent(g_wmiAnswers);
  SetWmiExecQuery(nullptr);
  Sleep(200);  // the stuck worker ends before the real queries below
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

  HWND window = CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 480, 360,
                                nullptr, nullptr, nullptr, nullptr);
  HWND video = CreateWindowExA(0, "STATIC", "", WS_CHILD | SS_BLACKFRAME, 10, 10, 320, 240, window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(1001)), nullptr, nullptr);
  SetDisplayCheckWindows(window, video);

  const int kRuns = 7;
  PrintWmiQueries(window, kRuns);
  PrintStalledWmi(window);
  PrintBreakdown(window, kRuns);
  const double withHdcp = MedianRunMs("bus=3;connector=5;protection=5", kRuns);
  const double withoutHdcp = MedianRunMs("bus=3;connector=1;protection=4", kRuns);
  printf("whole run, HDMI with HDCP and CGMS-A tests: median %.1f ms over %d runs\n", withHdcp, kRuns);
  printf("whole run, S-Video with CGMS-A test only:   median %.1f ms over %d runs\n", withoutHdcp, kRuns);

  CallExport(driver, "DllUnregisterServer");
  DestroyWindow(window);
  CoUninitialize();
  return 0;
}
