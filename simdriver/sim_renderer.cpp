#include "simdriver/sim_renderer.h"

#include <new>

extern "C" const IID IID_IAMCertifiedOutputProtection;

namespace {

SimScenario& DefaultScenario() {
  static SimScenario scenario;
  return scenario;
}

}  // namespace

void SimSetDefaultScenario(const SimScenario& scenario) { DefaultScenario() = scenario; }

SimScenario SimDefaultScenario() { return DefaultScenario(); }

SimCoppRenderer::SimCoppRenderer() { driver_.Scenario() = DefaultScenario(); }

HRESULT SimCoppRenderer::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (IsEqualIID(iid, IID_IUnknown)) {
    *out = static_cast<IUnknown*>(this);
  } else if (IsEqualIID(iid, IID_IAMCertifiedOutputProtection) && driver_.Scenario().offersCopp) {
    *out = static_cast<IAMCertifiedOutputProtection*>(this);
  } else {
    return QueryExtraInterface(iid, out);
  }
  AddRef();
  return S_OK;
}

HRESULT SimCoppRenderer::QueryExtraInterface(REFIID, void**) { return E_NOINTERFACE; }

ULONG SimCoppRenderer::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG SimCoppRenderer::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT SimCoppRenderer::KeyExchange(GUID* random, BYTE** certificate, DWORD* length) {
  return driver_.KeyExchange(random, certificate, length);
}

HRESULT SimCoppRenderer::SessionSequenceStart(AMCOPPSignature* signature) {
  return driver_.SessionSequenceStart(signature);
}

HRESULT SimCoppRenderer::ProtectionCommand(const AMCOPPCommand* command) {
  return driver_.ProtectionCommand(command);
}

HRESULT SimCoppRenderer::ProtectionStatus(const AMCOPPStatusInput* input, AMCOPPStatusOutput* output) {
  return driver_.ProtectionStatus(input, output);
}

SimCoppRenderer* CreateSimCoppRenderer() { return new (std::nothrow) SimCoppRenderer(); }
