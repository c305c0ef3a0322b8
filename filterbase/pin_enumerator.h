#pragma once

#include <dshow.h>

#include "filterbase/module_hooks.h"

// Enumerates the single pin of a one-pin filter, from `position` (0 or 1).
// The enumerator starts with one reference that the caller owns.
HRESULT CreateSinglePinEnum(IPin* pin, ULONG position, const ModuleHooks& hooks, IEnumPins** out);
