#include <windows.h>
// The platform headers below build on windows.h.
#include <dshow.h>
#include <gtest/gtest.h>
#include <wincrypt.h>

#include <cstdio>
#include <string>

#include "copp/copp_session.h"
#include "simrenderer/driver_census.h"
#include "tests/judge/display_check_run_support.h"
#include "tests/judge/process_resources.h"

// A hundred display checks in one process, as a user pressing the start
// button again and again: every other run against the platform's own
// renderer, the rest against the simulated driver in many of its states.

namespace {

using R = JudgeResult;

constexpr int kRuns = 100;
constexpr uint64_t kPrivateGrowthLimit = 1024 * 1024;
// Wine ends an idle pool worker after about five seconds.
constexpr DWORD kWorkerExitMs = 6000;
constexpr DWORD kSettleTimeoutMs = 12000;

struct SoakScenario {
  const char* text;
  JudgeResult verdict;
};

const SoakScenario kSimulated[] = {
    {"bus=3;connector=3;protection=4", Flags({&R::displayOk})},
    {"connector=0;protection=4", Flags({&R::displayDownscaled, &R::analogVgaOutput})},
    {"copp=0", Flags({&R::displayNg, &R::ngCopp})},
    {"sessionStart=0xC026251E", Flags({&R::displayNg, &R::ngCopp, &R::retryFromStart})},
    {"connector=3;protection=4;statusFault=6;statusFaultTag=1", Flags({&R::displayNg, &R::ngCgmsa})},
    {"connector=0x80000005;protection=0", Flags({&R::displayOk})},
    {"keyExchange=0x8004029B", Flags({&R::displayNg, &R::ngCopp})},
    {"connector=5;protection=5", Flags({&R::displayOk})},
};

// Handles that the platform's own components keep for good: Wine keeps one
// per filter graph made and one per opening of a named key container (0 on
// Windows). Counted here so that the soak can tell them from ours.
struct PlatformKeeps {
  uint32_t perGraph = 0;
  uint32_t perSessionStart = 0;  // the two openings of CoppStartSession's provider
};

PlatformKeeps MeasurePlatformKeeps() {
  constexpr uint32_t kTimes = 8;
  PlatformKeeps keeps;
  uint32_t before = CountKernelHandles();
  for (uint32_t i = 0; i < kTimes; ++i) {
    IGraphBuilder* graph = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                   reinterpret_cast<void**>(&graph))))
      graph->Release();
  }
  uint32_t after = CountKernelHandles();
  EXPECT_EQ(0u, (after - before) % kTimes);
  keeps.perGraph = (after - before) / kTimes;
  before = after;
  for (uint32_t i = 0; i < kTimes; ++i) {
    HCRYPTPROV provider = 0;
    // The container exists by now, so the first call fails as it does in every run but the first.
    if (CryptAcquireContextA(&provider, kCoppKeyContainer, nullptr, PROV_RSA_AES,
                             CRYPT_NEWKEYSET | CRYPT_SILENT) ||
        CryptAcquireContextA(&provider, kCoppKeyContainer, nullptr, PROV_RSA_AES, 0))
      CryptReleaseContext(provider, 0);
  }
  after = CountKernelHandles();
  EXPECT_EQ(0u, (after - before) % kTimes);
  keeps.perSessionStart = (after - before) / kTimes;
  return keeps;
}

class DisplayCheckSoak : public SimulatedDriverRun {
 protected:
  // One run, with the simulated driver or with the platform's renderer in its place.
  void RunOnce(int run, bool onPlatform, const SoakScenario& scenario) {
    SCOPED_TRACE(std::to_string(run) +
                 (onPlatform ? ": platform renderer" : std::string(": ") + scenario.text));
    ASSERT_EQ(S_OK, onPlatform ? simRenderer_.Unregister() : simRenderer_.Register());
    SimDriverCensus before = {};
    ASSERT_TRUE(ReadSimDriverCensus(simRenderer_, &before));
    const RunOutcome outcome = onPlatform ? Run() : RunScenario(scenario.text);
    const JudgeResult platformVerdict = Flags({&R::displayNg, &R::ngCopp});
    EXPECT_EQ(Describe(onPlatform ? platformVerdict : scenario.verdict), Describe(outcome.result));
    ExpectSessionAndGraphClosed();
    SimDriverCensus after = {};
    ASSERT_TRUE(ReadSimDriverCensus(simRenderer_, &after));
    EXPECT_EQ(0u, after.peersAlive);
    if (!onPlatform) {
      EXPECT_EQ(S_OK, simRenderer_.CanUnloadNow());
    }
    const bool started = after.peersCreated != before.peersCreated && after.lastReleased.sessionStarts != 0;
    if (started) ++sessionStarts_;
  }

  // Wine commits the whole stack of a thread, so a pool worker that has not
  // yet ended would count as megabytes of private memory.
  ProcessResources Settled() {
    PumpUntil([this] { return CountThreads() <= threads_; }, kSettleTimeoutMs);
    return MeasureProcessResources();
  }

  uint32_t threads_ = 0;
  uint32_t sessionStarts_ = 0;
};

TEST_F(DisplayCheckSoak, HundredRunsLeaveNoHandleObjectOrMemoryBehind) {
  constexpr size_t kScenarios = sizeof(kSimulated) / sizeof(kSimulated[0]);
  // The first run of each renderer loads its libraries and makes what they keep for the process.
  RunOnce(-1, false, kSimulated[0]);
  RunOnce(0, true, kSimulated[0]);
  PumpFor(kWorkerExitMs);
  threads_ = CountThreads();
  const PlatformKeeps keeps = MeasurePlatformKeeps();

  const ULONGLONG started = GetTickCount64();
  ProcessResources first;
  uint32_t startsAfterFirst = 0;
  for (int run = 1; run <= kRuns; ++run) {
    const bool onPlatform = run % 2 == 0;
    RunOnce(run, onPlatform, kSimulated[(run / 2) % kScenarios]);
    if (run == 1) {
      first = Settled();
      startsAfterFirst = sessionStarts_;
    }
  }
  const ProcessResources last = Settled();
  const DWORD elapsed = static_cast<DWORD>(GetTickCount64() - started);

  const uint32_t platformHandles =
      keeps.perGraph * (kRuns - 1) + keeps.perSessionStart * (sessionStarts_ - startsAfterFirst);
  printf("[ SOAK     ] after run 1:   %s\n", Describe(first).c_str());
  printf("[ SOAK     ] after run %d: %s\n", kRuns, Describe(last).c_str());
  printf("[ SOAK     ] counted with: %s\n", last.how.c_str());
  printf("[ SOAK     ] the platform's own handles: %u per filter graph, %u per session start; %u in all\n",
         keeps.perGraph, keeps.perSessionStart, platformHandles);
  printf("[ SOAK     ] %d runs in %lu ms\n", kRuns, static_cast<unsigned long>(elapsed));
  EXPECT_EQ(first.gdiObjects, last.gdiObjects);
  EXPECT_EQ(first.userObjects, last.userObjects);
  EXPECT_EQ(first.kernelHandles + platformHandles, last.kernelHandles);
  EXPECT_EQ(first.threads, last.threads);
  EXPECT_LE(last.privateBytes, first.privateBytes + kPrivateGrowthLimit);
}

}  // namespace
