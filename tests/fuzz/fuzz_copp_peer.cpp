#include "tests/fuzz/fuzz_copp_peer.h"

#include <cstring>

#include "copp/copp_wire.h"

void FuzzCoppPeer::Plan(const AMCOPPStatusOutput* answer, Tagging tagging, HRESULT result) {
  answer_ = answer;
  tagging_ = tagging;
  result_ = result;
}

HRESULT FuzzCoppPeer::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IAMCertifiedOutputProtection) return E_NOINTERFACE;
  *out = static_cast<IAMCertifiedOutputProtection*>(this);
  return S_OK;
}

HRESULT FuzzCoppPeer::ProtectionStatus(const AMCOPPStatusInput* input, AMCOPPStatusOutput* output) {
  ++requests_;
  if (!input || !output || !answer_) return E_POINTER;
  std::memcpy(&lastRequest_, input, sizeof(lastRequest_));
  std::memcpy(output, answer_, sizeof(*output));
  if (tagging_ != kAsGiven) {
    BYTE tag[16];
    if (!cmac_.Tag(reinterpret_cast<const BYTE*>(output) + kCoppMacOffset, kCoppMacLength, tag))
      return E_FAIL;
    if (tagging_ == kOneBitFlipped) tag[requests_ % 16] ^= static_cast<BYTE>(1u << (requests_ % 8));
    std::memcpy(&output->macKDI, tag, 16);
  }
  return result_;
}
