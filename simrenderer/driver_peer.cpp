#include "simrenderer/driver_peer.h"

#include <cstdlib>
#include <string>

#include "simdriver/sim_renderer.h"
#include "simrenderer/scenario_environment.h"

HRESULT CreateDriverPeerFromEnvironment(IUnknown** peer) {
  *peer = nullptr;
  SimScenario scenario;
  const char* text = getenv(kScenarioVariable);
  std::string error;
  if (text && !ApplyScenarioText(text, &scenario, &error)) {
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
