#include "sourcefilter/module_refs.h"

#include <windows.h>

namespace {
LONG g_objects = 0;
LONG g_locks = 0;
}  // namespace

void ModuleObjectCreated() { InterlockedIncrement(&g_objects); }
void ModuleObjectDestroyed() { InterlockedDecrement(&g_objects); }

void ModuleLock(bool lock) {
  if (lock) {
    InterlockedIncrement(&g_locks);
  } else {
    InterlockedDecrement(&g_locks);
  }
}

bool ModuleInUse() {
  return InterlockedCompareExchange(&g_objects, 0, 0) != 0 || InterlockedCompareExchange(&g_locks, 0, 0) != 0;
}

const ModuleHooks kBallModuleHooks = {ModuleObjectCreated, ModuleObjectDestroyed};
