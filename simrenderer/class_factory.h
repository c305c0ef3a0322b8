#pragma once

#include <windows.h>

#include <objbase.h>

#include "filterbase/module_hooks.h"

// Creates the simulated renderer; each instance reads the scenario afresh.
class SimRendererClassFactory : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
  STDMETHODIMP LockServer(BOOL lock) override;
};

// Live objects and server locks; the DLL may unload only at zero.
void AddModuleReference();
void ReleaseModuleReference();
LONG ModuleReferences();

// The two counting calls above, for shared objects built in this module.
extern const ModuleHooks kSimRendererModuleHooks;
