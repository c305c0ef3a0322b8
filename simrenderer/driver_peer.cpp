#include "simrenderer/driver_peer.h"

#include <new>
#include <string>

#include "simdriver/sim_renderer.h"
#include "simrenderer/class_factory.h"
#include "simrenderer/driver_census.h"
#include "simrenderer/scenario_environment.h"

namespace {

// Only the apartment thread that creates the renderers touches these.
SimDriverCensus g_census = {};

// A driver the module counts: the client may hold it after the filter is
// gone, so it keeps the module loaded, and it leaves its counters behind.
class CountedDriverPeer final : public SimCoppRenderer {
 public:
  CountedDriverPeer() {
    AddModuleReference();
    ++g_census.peersCreated;
    ++g_census.peersAlive;
  }

 private:
  ~CountedDriverPeer() override {
    g_census.lastReleased = Driver().Observed();
    --g_census.peersAlive;
    ReleaseModuleReference();
  }
};

// Renderers made since the scenario text last changed: a program keeps one
// text for its whole life, a test sets a new one per case.
uint32_t CountRendererOfText(const std::string& text) {
  static std::string lastText;
  static uint32_t count = 0;
  if (text != lastText) {
    lastText = text;
    count = 0;
  }
  return ++count;
}

}  // namespace

void ReadDriverCensus(SimDriverCensus* census) { *census = g_census; }

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
  const uint32_t made = CountRendererOfText(text);
  const uint32_t runs = scenario.sessionStartResultRuns;
  if (runs != 0 && made > runs) scenario.sessionStartResult = S_OK;
  SimSetDefaultScenario(scenario);
  SimCoppRenderer* renderer = new (std::nothrow) CountedDriverPeer();
  if (!renderer) return E_OUTOFMEMORY;
  *peer = static_cast<IAMCertifiedOutputProtection*>(renderer);
  return S_OK;
}
