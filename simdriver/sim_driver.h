#pragma once

#include <windows.h>
// The platform headers below build on windows.h.
#include <strmif.h>
#include <wincrypt.h>

#include <string>

#include "handles/non_copyable.h"
#include "simdriver/sim_cmac.h"
#include "simdriver/sim_scenario.h"

// The graphics driver's side of COPP, independent of COM so that a test or a
// renderer DLL can host it: its own RSA key and certificate, the session
// start, tagged status answers and checked commands, all as the scenario says.
class SimCoppDriver : NonCopyable {
 public:
  SimCoppDriver();
  ~SimCoppDriver();

  SimScenario& Scenario() { return scenario_; }
  const SimObserved& Observed() const { return observed_; }
  // The certificate text this driver hands out when the scenario gives none.
  const std::string& Certificate() const { return certificate_; }
  bool Ready() const { return rsaKey_ != 0; }

  HRESULT KeyExchange(GUID* random, BYTE** certificate, DWORD* length);
  HRESULT SessionSequenceStart(const AMCOPPSignature* signature);
  HRESULT ProtectionCommand(const AMCOPPCommand* command);
  HRESULT ProtectionStatus(const AMCOPPStatusInput* input, AMCOPPStatusOutput* output);

 private:
  bool CreateKeyAndCertificate();
  const SimStatusFault* MatchFault(const AMCOPPStatusInput& input);
  void Answer(const AMCOPPStatusInput& input, AMCOPPStatusOutput* output) const;
  static void TamperAnswer(const SimNthStatusFault& nth, AMCOPPStatusOutput* output);
  void ApplyLevel(uint32_t type, uint32_t level);

  SimScenario scenario_;
  SimObserved observed_;
  // Borrowed from the process's one key pair, which outlives every driver.
  HCRYPTPROV provider_ = 0;
  HCRYPTKEY rsaKey_ = 0;
  std::string certificate_;
  GUID sentRandom_ = {};
  bool randomSent_ = false;
  SimCmac cmac_;
  bool established_ = false;
  uint32_t expectedStatusSeq_ = 0;
  uint32_t expectedCommandSeq_ = 0;
  uint32_t faultCounts_[4] = {};
};

// HRESULTs the simulated driver answers for protocol violations.
constexpr HRESULT kSimBadSequence = static_cast<HRESULT>(0x80070057L);   // E_INVALIDARG
constexpr HRESULT kSimBadSignature = static_cast<HRESULT>(0x80090005L);  // NTE_BAD_DATA
