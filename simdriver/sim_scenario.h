#pragma once

#include <windows.h>

#include <cstdint>

// A fault injected into the status requests: the `occurrence`-th request
// (counted from 1, 0 = every one) that matches answers `result` instead.
// A null requestId matches every request; protectionType 0 matches any.
struct SimStatusFault {
  GUID requestId;
  uint32_t protectionType;
  uint32_t occurrence;
  HRESULT result;
};

// What the n-th status request of the session (counted from 1 over every
// request the driver receives; 0 = none) meets. The answer faults keep a
// valid tag unless flipTag says otherwise, so they reach the client.
struct SimNthStatusFault {
  uint32_t n = 0;
  HRESULT result = S_OK;  // a failure code: fails with it, no answer
  bool flipTag = false;
  bool wrongEcho = false;  // the answer echoes a random number other than the request's
  bool setsSizeData = false;
  uint32_t sizeData = 0;  // the answer's cbSizeData when setsSizeData
};

// Everything the simulated driver answers, set per test (or by a host DLL)
// before the client starts its session. Plain data, so it crosses a DLL edge.
struct SimScenario {
  bool offersCopp = true;

  HRESULT keyExchangeResult = S_OK;
  // Replaces the real certificate when set (text from outside the program).
  const char* certificateText = nullptr;
  uint32_t certificateLength = 0;
  // What SessionSequenceStart answers after checking the block (S_OK: accept).
  HRESULT sessionStartResult = S_OK;

  uint32_t busType = 3;
  uint32_t connectorType = 5;
  uint32_t protectionMask = 0x5;
  uint32_t hdcpGlobalLevel = 0;
  uint32_t hdcpLocalLevel = 0;
  uint32_t cgmsaGlobalLevel = 0;
  uint32_t cgmsaLocalLevel = 0;
  uint32_t statusFlags = 0;

  // Whether a level command takes, and bits ORed into the level read back.
  bool hdcpTakes = true;
  bool cgmsaTakes[5] = {true, true, true, true, true};
  uint32_t levelReadBackBits = 0;

  SimStatusFault statusFaults[4] = {};
  // The `commandFaultOccurrence`-th command (0 = none, ~0u = every) answers commandFaultResult.
  uint32_t commandFaultOccurrence = 0;
  HRESULT commandFaultResult = S_OK;

  // Answer tampering: flip one MAC bit of the n-th status answer (0 = none),
  // and override the answer's cbSizeData when overrideSizeData is set.
  uint32_t flipMacOnStatus = 0;
  bool overrideSizeData = false;
  uint32_t sizeData = 0;

  SimNthStatusFault nthStatus;
  // The n-th command (0 = none) is accepted but changes nothing.
  uint32_t ignoredCommand = 0;

  // For a host that creates many renderers: only the first this many answer
  // sessionStartResult, later ones start the session (0 = all of them).
  uint32_t sessionStartResultRuns = 0;
};

// What the driver saw, for tests to compare with the client's view.
struct SimObserved {
  uint32_t keyExchanges = 0;
  uint32_t sessionStarts = 0;
  bool sessionEstablished = false;
  uint32_t statusRequests = 0;
  uint32_t commandsReceived = 0;
  uint32_t statusAnswered = 0;
  uint32_t commandsAccepted = 0;
  uint32_t lastStatusSequence = 0;
  uint32_t lastCommandSequence = 0;
  uint32_t lastCommandType = 0;
  uint32_t lastCommandLevel = 0;
  uint32_t lastCommandDataLength = 0;
  GUID lastRApp = {};
  uint32_t commandMacFailures = 0;
  uint32_t sequenceFailures = 0;
};
