#pragma once

// How a shared COM object tells the DLL that holds its code that it lives:
// the DLL must not unload while any such object is alive.
struct ModuleHooks {
  void (*objectCreated)();
  void (*objectDestroyed)();
};
