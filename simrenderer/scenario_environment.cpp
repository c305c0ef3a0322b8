#include "simrenderer/scenario_environment.h"

#include <vector>

#include "copp/copp_wire.h"
#include "simrenderer/scenario_text.h"

namespace {

bool AddStatusFault(SimScenario* scenario, const GUID& requestId, uint32_t occurrence, HRESULT result) {
  for (SimStatusFault& fault : scenario->statusFaults) {
    if (fault.result != 0) continue;
    fault = SimStatusFault{requestId, 0, occurrence, result};
    return true;
  }
  return false;
}

bool Apply(const ScenarioEntry& entry, SimScenario* s) {
  const std::string& key = entry.key;
  const uint32_t value = entry.value;
  const HRESULT hr = static_cast<HRESULT>(value);
  if (key == "copp") {
    s->offersCopp = value != 0;
  } else if (key == "keyExchange") {
    s->keyExchangeResult = hr;
  } else if (key == "sessionStart") {
    s->sessionStartResult = hr;
  } else if (key == "bus") {
    s->busType = value;
  } else if (key == "connector") {
    s->connectorType = value;
  } else if (key == "protection") {
    s->protectionMask = value;
  } else if (key == "hdcpGlobal") {
    s->hdcpGlobalLevel = value;
  } else if (key == "hdcpLocal") {
    s->hdcpLocalLevel = value;
  } else if (key == "cgmsaGlobal") {
    s->cgmsaGlobalLevel = value;
  } else if (key == "cgmsaLocal") {
    s->cgmsaLocalLevel = value;
  } else if (key == "hdcpTakes") {
    s->hdcpTakes = value != 0;
  } else if (key == "cgmsaTakes") {
    // Bit n-1 stands for CGMS-A level n.
    for (int level = 1; level <= 4; ++level) s->cgmsaTakes[level] = (value >> (level - 1)) & 1;
  } else if (key == "levelBits") {
    s->levelReadBackBits = value;
  } else if (key == "firstConnectorQuery") {
    return AddStatusFault(s, DXVA_COPPQueryConnectorType, 1, hr);
  } else if (key == "everyStatus") {
    return AddStatusFault(s, GUID{}, 0, hr);
  } else if (key == "everyCommand") {
    s->commandFaultOccurrence = ~0u;
    s->commandFaultResult = hr;
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool ApplyScenarioText(const std::string& text, SimScenario* scenario, std::string* error) {
  std::vector<ScenarioEntry> entries;
  if (!ParseScenarioText(text, &entries, error)) return false;
  for (const ScenarioEntry& entry : entries) {
    if (!Apply(entry, scenario)) {
      *error = entry.key;
      return false;
    }
  }
  return true;
}
