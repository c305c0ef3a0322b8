#pragma once

#include <windows.h>

#include <objbase.h>

// Creates the simulated driver that answers the renderer's COPP interface,
// set up from the scenario in the environment (see the README). Null peer
// with S_FALSE when the scenario asks for a renderer without COPP.
HRESULT CreateDriverPeerFromEnvironment(IUnknown** peer);
