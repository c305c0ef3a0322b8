#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A scenario is written as "key=value;key=value", values in C notation
// (decimal, 0x hex). Parsing stops at the first malformed entry and
// reports it, so a typo in a test never runs the default scenario silently.
struct ScenarioEntry {
  std::string key;
  uint32_t value;
};

bool ParseScenarioText(const std::string& text, std::vector<ScenarioEntry>* entries, std::string* error);
