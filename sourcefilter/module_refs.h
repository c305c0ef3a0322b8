#pragma once

// Live objects and server locks of the ball source module: the DLL may be
// unloaded only when both are zero.
void ModuleObjectCreated();
void ModuleObjectDestroyed();
void ModuleLock(bool lock);
bool ModuleInUse();
