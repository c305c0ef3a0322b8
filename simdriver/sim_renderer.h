#pragma once

#include <windows.h>
// The platform headers below build on windows.h.
#include <strmif.h>

#include "simdriver/sim_driver.h"

// The simulated driver as the application meets it: a COM object reached
// through a renderer that answers QueryInterface for IUnknown and, when the
// scenario offers it, IAMCertifiedOutputProtection. A renderer DLL derives
// from it and answers its further interfaces in QueryExtraInterface.
class SimCoppRenderer : public IAMCertifiedOutputProtection {
 public:
  SimCoppRenderer();
  SimCoppRenderer(const SimCoppRenderer&) = delete;
  SimCoppRenderer& operator=(const SimCoppRenderer&) = delete;

  SimCoppDriver& Driver() { return driver_; }
  SimScenario& Scenario() { return driver_.Scenario(); }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IAMCertifiedOutputProtection
  HRESULT STDMETHODCALLTYPE KeyExchange(GUID* random, BYTE** certificate, DWORD* length) override;
  HRESULT STDMETHODCALLTYPE SessionSequenceStart(AMCOPPSignature* signature) override;
  HRESULT STDMETHODCALLTYPE ProtectionCommand(const AMCOPPCommand* command) override;
  HRESULT STDMETHODCALLTYPE ProtectionStatus(const AMCOPPStatusInput* input,
                                             AMCOPPStatusOutput* output) override;

 protected:
  virtual ~SimCoppRenderer() = default;
  // Further interfaces of a hosting object; must AddRef what it hands out.
  virtual HRESULT QueryExtraInterface(REFIID iid, void** out);

 private:
  LONG references_ = 1;
  SimCoppDriver driver_;
};

// Creates a renderer holding one reference, its driver answering as the
// process-wide default scenario says at that moment.
SimCoppRenderer* CreateSimCoppRenderer();

// The scenario that new renderers start from. A renderer DLL that is created
// through COM rather than by its test exports a setter over this; any text
// the scenario points to must outlive the renderers made from it.
void SimSetDefaultScenario(const SimScenario& scenario);
SimScenario SimDefaultScenario();

// The application takes the renderer as a filter but only ever calls
// QueryInterface on it; this object is not a filter, so the pointer is only
// good for that first call (IUnknown's slots lead every COM vtable).
inline IBaseFilter* AsRendererFilter(SimCoppRenderer* renderer) {
  return reinterpret_cast<IBaseFilter*>(static_cast<IUnknown*>(renderer));
}
