#pragma once

#include <windows.h>
// The platform headers below build on windows.h.
#include <strmif.h>

#include <cstdint>

#include "simdriver/sim_cmac.h"

// A driver that answers each status request with the record it was given,
// tagged under the session key by the simulated driver's own CMAC (or with
// the tag it was given), and remembers the request it saw.
class FuzzCoppPeer : public IAMCertifiedOutputProtection {
 public:
  bool SetKey(const BYTE key[16]) { return cmac_.SetKey(key); }
  enum Tagging { kTagged, kOneBitFlipped, kAsGiven };
  // The answer to the next request; `answer` must outlive it.
  void Plan(const AMCOPPStatusOutput* answer, Tagging tagging, HRESULT result);
  const AMCOPPStatusInput& LastRequest() const { return lastRequest_; }
  uint32_t Requests() const { return requests_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE KeyExchange(GUID*, BYTE**, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SessionSequenceStart(AMCOPPSignature*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ProtectionCommand(const AMCOPPCommand*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ProtectionStatus(const AMCOPPStatusInput* input,
                                             AMCOPPStatusOutput* output) override;

 private:
  SimCmac cmac_;
  const AMCOPPStatusOutput* answer_ = nullptr;
  Tagging tagging_ = kTagged;
  HRESULT result_ = S_OK;
  AMCOPPStatusInput lastRequest_ = {};
  uint32_t requests_ = 0;
};
