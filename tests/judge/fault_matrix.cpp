#include "tests/judge/fault_matrix.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

using R = JudgeResult;

// A run waits one second for HDCP to settle; the rest is the graph and the session.
constexpr DWORD kRunBoundMs = 4000;

// What a fault does to the run. kFails: the request it hits fails and the
// run goes on (a failing HRESULT, or an answer too short to hold dwData).
// kFailsFromHere: that request and every later status request fail (a bad
// tag: the client keeps the number the driver has used, and the driver
// refuses it from then on). kRetry: the driver asks for the whole check
// again. kHarmless: the client takes the answer as it stands.
enum class Effect { kFails, kFailsFromHere, kRetry, kHarmless };

struct FaultKind {
  const char* name;
  const char* keys;  // what follows "statusFault=n;" or "commandFault=n;"
  Effect effect;
  const char* line;  // the client's failure line, if it writes one
};

const FaultKind kStatusKinds[] = {
    {"RetryCode", "statusFaultResult=0xC026251E", Effect::kRetry, "ProtectionStatus()に失敗 hr = c026251e"},
    {"NoCoppHardware", "statusFaultResult=0x8004029B", Effect::kFails,
     "ProtectionStatus()に失敗 hr = 8004029b"},
    {"EFail", "statusFaultResult=0x80004005", Effect::kFails, "ProtectionStatus()に失敗 hr = 80004005"},
    {"FlippedTag", "statusFaultTag=1", Effect::kFailsFromHere, "omac memcmp err"},
    {"WrongEcho", "statusFaultEcho=1", Effect::kHarmless, nullptr},
    {"SizeZero", "statusFaultSize=0", Effect::kFails, nullptr},
    {"Size4077", "statusFaultSize=4077", Effect::kHarmless, nullptr},
};

// A command is answered by its HRESULT alone; the one other way it can go
// wrong is to be accepted and change nothing.
const FaultKind kCommandKinds[] = {
    {"RetryCode", "commandFaultResult=0xC026251E", Effect::kRetry, "ProtectionCommand()に失敗 hr = c026251e"},
    {"NoCoppHardware", "commandFaultResult=0x8004029B", Effect::kFails,
     "ProtectionCommand()に失敗 hr = 8004029b"},
    {"EFail", "commandFaultResult=0x80004005", Effect::kFails, "ProtectionCommand()に失敗 hr = 80004005"},
    {"Ignored", "commandFaultIgnored=1", Effect::kFails, nullptr},
};

}  // namespace

struct MatrixCase {
  std::string name;
  std::string text;
  const FaultKind* kind;
  bool command;
  uint32_t n;
  uint32_t statusBefore;  // commands only
  Outcome outcome;        // unused for kRetry
};

namespace {

std::vector<MatrixCase> CasesOf(const MatrixScenario& scenario) {
  std::vector<MatrixCase> cases;
  for (const StatusRow& row : scenario.status) {
    for (const FaultKind& kind : kStatusKinds) {
      const Outcome& outcome = kind.effect == Effect::kFailsFromHere ? row.whenItAndLaterFail
                               : kind.effect == Effect::kHarmless    ? scenario.clean
                                                                     : row.whenItFails;
      cases.push_back({"status " + std::to_string(row.n) + " (" + row.asks + "): " + kind.name,
                       std::string(scenario.text) + ";statusFault=" + std::to_string(row.n) + ";" + kind.keys,
                       &kind, false, row.n, 0, outcome});
    }
  }
  for (const CommandRow& row : scenario.commands) {
    for (const FaultKind& kind : kCommandKinds) {
      cases.push_back(
          {"command " + std::to_string(row.n) + " (" + row.sets + "): " + kind.name,
           std::string(scenario.text) + ";commandFault=" + std::to_string(row.n) + ";" + kind.keys, &kind,
           true, row.n, row.statusBefore, row.whenItFails});
    }
  }
  return cases;
}

DisplayCheckRecord RecordOf(const MatrixScenario& scenario, const Outcome& outcome) {
  if (outcome.flags.ngCopp)
    return FailedCoppRecord(kCallerVendor, kCallerDevice, outcome.flags.retryFromStart);
  return ExpectedRecord(kCallerVendor, kCallerDevice, outcome.busType, scenario.connector,
                        outcome.protectionTypes, outcome.hdcpSetOk, outcome.cgmsaLevelsOk);
}

size_t Count(const Lines& log, const std::string& line) {
  return static_cast<size_t>(std::count(log.begin(), log.end(), line));
}

bool EndsWith(const Lines& log, const Lines& tail) {
  return log.size() >= tail.size() && std::equal(tail.begin(), tail.end(), log.end() - tail.size());
}

}  // namespace

RunOutcome FaultMatrix::TimedRun(const std::string& text) {
  const ULONGLONG started = GetTickCount64();
  RunOutcome outcome = RunScenario(text.c_str());
  const DWORD ms = static_cast<DWORD>(GetTickCount64() - started);
  EXPECT_LT(ms, kRunBoundMs);
  slowestMs_ = std::max(slowestMs_, ms);
  totalMs_ += ms;
  ++runs_;
  return outcome;
}

// The session, the graph and every object of the renderer are gone, and
// the driver of this run was the only one made for it.
SimDriverCensus FaultMatrix::ExpectAllReleased() {
  ExpectSessionAndGraphClosed();
  SimDriverCensus census = {};
  EXPECT_TRUE(ReadSimDriverCensus(simRenderer_, &census));
  EXPECT_EQ(peersBefore_ + 1, census.peersCreated);
  EXPECT_EQ(0u, census.peersAlive);
  EXPECT_EQ(S_OK, simRenderer_.CanUnloadNow());
  peersBefore_ = census.peersCreated;
  return census;
}

void FaultMatrix::RunMatrix(const MatrixScenario& scenario) {
  SimDriverCensus census = {};
  ASSERT_TRUE(ReadSimDriverCensus(simRenderer_, &census));
  peersBefore_ = census.peersCreated;

  head_ = RunHead(kCallerVendor, kCallerDevice);
  const RunOutcome clean = TimedRun(scenario.text);
  ExpectAllReleased();
  ASSERT_EQ(Describe(scenario.clean.flags), Describe(clean.result));
  ExpectRecord(RecordOf(scenario, scenario.clean), clean.record);

  const std::vector<MatrixCase> cases = CasesOf(scenario);
  for (const MatrixCase& c : cases) {
    SCOPED_TRACE(c.name + " [" + c.text + "]");
    const RunOutcome run = TimedRun(c.text);
    const SimDriverCensus seen = ExpectAllReleased();
    ExpectCase(scenario, c, clean, run, seen.lastReleased);
  }
  printf("[ MATRIX   ] %s: %u fault cases, slowest run %lu ms, %lu ms per run on average\n", scenario.text,
         static_cast<unsigned>(cases.size()), static_cast<unsigned long>(slowestMs_),
         static_cast<unsigned long>(totalMs_ / runs_));
}

void FaultMatrix::ExpectCase(const MatrixScenario& scenario, const MatrixCase& c, const RunOutcome& clean,
                             const RunOutcome& run, const SimObserved& driver) {
  const Effect effect = c.kind->effect;
  EXPECT_TRUE(driver.sessionEstablished);
  EXPECT_EQ(0u, driver.commandMacFailures);
  ASSERT_GE(run.log.size(), head_.size());
  EXPECT_TRUE(std::equal(head_.begin(), head_.end(), run.log.begin())) << JoinLines(run.log);

  if (effect == Effect::kRetry) {
    const JudgeResult retry = Flags({&R::displayNg, &R::ngCopp, &R::retryFromStart});
    EXPECT_EQ(Describe(retry), Describe(run.result));
    EXPECT_EQ(0, run.record.coppOk);
    EXPECT_EQ(1, run.record.retryFromStart);
    // Nothing more is asked once the driver wants a fresh start.
    EXPECT_EQ(c.command ? c.statusBefore : c.n, driver.statusRequests);
    if (c.command) {
      EXPECT_EQ(c.n, driver.commandsReceived);
    }
    const Lines tail = Concat({{c.kind->line, "COPP通信テストに失敗しました", "最初からリトライが必要です"},
                               FlowTail("CoppUnusableWithRetry")});
    EXPECT_TRUE(EndsWith(run.log, tail)) << JoinLines(run.log);
    if (!c.command && c.n == 1) ExpectRecord(FailedCoppRecord(kCallerVendor, kCallerDevice, 1), run.record);
    return;
  }

  EXPECT_EQ(Describe(c.outcome.flags), Describe(run.result));
  const DisplayCheckRecord expected = RecordOf(scenario, c.outcome);
  ExpectRecord(expected, run.record);
  EXPECT_TRUE(EndsWith(run.log, FlowTail(c.outcome.judgement, c.outcome.busType == 3))) << JoinLines(run.log);

  const uint32_t refusedNumbers =
      effect == Effect::kFailsFromHere ? driver.statusRequests - std::min(driver.statusRequests, c.n) : 0;
  EXPECT_EQ(refusedNumbers, driver.sequenceFailures);
  EXPECT_EQ(refusedNumbers, Count(run.log, "ProtectionStatus()に失敗 hr = 80070057"));
  if (effect == Effect::kHarmless) {
    EXPECT_EQ(JoinLines(clean.log), JoinLines(run.log));
  } else if (c.kind->line) {
    EXPECT_EQ(1u, Count(run.log, c.kind->line)) << JoinLines(run.log);
  } else {
    for (const std::string& line : run.log) EXPECT_EQ(std::string::npos, line.find("失敗")) << line;
  }
}
