#pragma once

#include <string>

#include "simdriver/sim_scenario.h"

// The environment variable a test or a person sets to choose what the
// simulated driver answers; the README lists its keys.
inline constexpr char kScenarioVariable[] = "SIMULATED_DRIVER_SCENARIO";

// Applies "key=value;..." to scenario. False with the offending entry in
// error for malformed text or an unknown key.
bool ApplyScenarioText(const std::string& text, SimScenario* scenario, std::string* error);
