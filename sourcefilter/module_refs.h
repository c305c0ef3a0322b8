#pragma once

#include "filterbase/module_hooks.h"

// Live objects and server locks of the ball source module: the DLL may be
// unloaded only when both are zero.
void ModuleObjectCreated();
void ModuleObjectDestroyed();
void ModuleLock(bool lock);
bool ModuleInUse();

// The two counting calls above, for shared objects built in this module.
extern const ModuleHooks kBallModuleHooks;
