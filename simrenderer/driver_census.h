#pragma once

#include <windows.h>

#include <cstdint>

#include "simdriver/sim_scenario.h"

// What the simulated drivers of one loaded renderer module have been through,
// for a test in the same process: the module exports SimRendererDriverCensus.
struct SimDriverCensus {
  uint32_t peersCreated;
  uint32_t peersAlive;
  SimObserved lastReleased;  // what the most recently released driver saw
};

using PfnSimRendererDriverCensus = void(WINAPI*)(SimDriverCensus* census);

void ReadDriverCensus(SimDriverCensus* census);
