#include "simrenderer/driver_peer.h"

#include <string>

#include "simdriver/sim_renderer.h"
#include "simrenderer/scenario_environment.h"

HRESULT CreateDriverPeerFromEnvironment(IUnknown** peer) {
  *peer = nullptr;
  SimScenario scenario;
  // The process environment, not the C runtime's copy: a test sets the
  // scenario after this module's runtime has started.
  char text[1024] = {};
  const DWORD length = GetEnvironmentVariableA(kScenarioVariable, text, sizeof(text));
  if (length >= sizeof(text)) return E_INVALIDARG;
  std::string error;
  if (length > 0 && !ApplyScenarioText(text, &scenario, &error)) {
    OutputDebugStringA(("simulated driver: bad scenario entry: " + error).c_str());
    return E_INVALIDARG;
  }
  if (!scenario.offersCopp) return S_FALSE;
  SimSetDefaultScenario(scenario);
  SimCoppRenderer* renderer = CreateSimCoppRenderer();
  if (!renderer) return E_OUTOFMEMORY;
  *peer = static_cast<IAMCertifiedOutputProtection*>(renderer);
  return S_OK;
}
