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

// The n-th command's fault is given by two keys in either order.
struct PendingCommandFault {
  uint32_t n = 0;
  bool hasResult = false;
  HRESULT result = S_OK;
  bool ignored = false;
};

bool ApplyFaultKey(const std::string& key, uint32_t value, SimScenario* s, PendingCommandFault* command) {
  const HRESULT hr = static_cast<HRESULT>(value);
  SimNthStatusFault& status = s->nthStatus;
  if (key == "statusFault") {
    status.n = value;
  } else if (key == "statusFaultResult") {
    status.result = hr;
    return FAILED(hr);
  } else if (key == "statusFaultTag") {
    status.flipTag = value != 0;
  } else if (key == "statusFaultEcho") {
    status.wrongEcho = value != 0;
  } else if (key == "statusFaultSize") {
    status.setsSizeData = true;
    status.sizeData = value;
  } else if (key == "commandFault") {
    command->n = value;
  } else if (key == "commandFaultResult") {
    command->hasResult = true;
    command->result = hr;
    return FAILED(hr);
  } else if (key == "commandFaultIgnored") {
    command->ignored = value != 0;
  } else if (key == "sessionStartRuns") {
    s->sessionStartResultRuns = value;
  } else {
    return false;
  }
  return true;
}

// A fault without its request, or a request without its fault, is a typo
// that would otherwise run a scenario nobody asked for.
bool ResolveFaults(const PendingCommandFault& command, SimScenario* s, std::string* error) {
  const SimNthStatusFault& status = s->nthStatus;
  const bool statusKind = FAILED(status.result) || status.flipTag || status.wrongEcho || status.setsSizeData;
  if ((status.n != 0) != statusKind) {
    *error = "statusFault";
    return false;
  }
  const int commandKinds = int{command.hasResult} + int{command.ignored};
  if (command.n == 0 ? commandKinds != 0 : commandKinds != 1) {
    *error = "commandFault";
    return false;
  }
  if (command.hasResult) {
    s->commandFaultOccurrence = command.n;
    s->commandFaultResult = command.result;
  }
  if (command.ignored) s->ignoredCommand = command.n;
  if (s->sessionStartResultRuns != 0 && !FAILED(s->sessionStartResult)) {
    *error = "sessionStartRuns";
    return false;
  }
  return true;
}

bool Apply(const ScenarioEntry& entry, SimScenario* s, PendingCommandFault* command) {
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
    return ApplyFaultKey(key, value, s, command);
  }
  return true;
}

}  // namespace

bool ApplyScenarioText(const std::string& text, SimScenario* scenario, std::string* error) {
  std::vector<ScenarioEntry> entries;
  if (!ParseScenarioText(text, &entries, error)) return false;
  PendingCommandFault command;
  for (const ScenarioEntry& entry : entries) {
    if (!Apply(entry, scenario, &command)) {
      *error = entry.key;
      return false;
    }
  }
  return ResolveFaults(command, scenario, error);
}
