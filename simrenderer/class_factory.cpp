#include "simrenderer/class_factory.h"

#include <wrl/client.h>

#include <new>

#include "simrenderer/driver_peer.h"
#include "simrenderer/renderer_filter.h"

namespace {

LONG g_moduleReferences = 0;

}  // namespace

void AddModuleReference() { InterlockedIncrement(&g_moduleReferences); }

void ReleaseModuleReference() { InterlockedDecrement(&g_moduleReferences); }

LONG ModuleReferences() { return g_moduleReferences; }

const ModuleHooks kSimRendererModuleHooks = {AddModuleReference, ReleaseModuleReference};

STDMETHODIMP SimRendererClassFactory::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_IClassFactory) {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  *out = static_cast<IClassFactory*>(this);
  AddRef();
  return S_OK;
}

// The factory is a static object: its lifetime is the module's.
STDMETHODIMP_(ULONG) SimRendererClassFactory::AddRef() { return 2; }

STDMETHODIMP_(ULONG) SimRendererClassFactory::Release() { return 1; }

STDMETHODIMP SimRendererClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  Microsoft::WRL::ComPtr<IUnknown> peer;
  HRESULT hr = CreateDriverPeerFromEnvironment(peer.ReleaseAndGetAddressOf());
  if (FAILED(hr)) return hr;
  SimRendererFilter* filter = new (std::nothrow) SimRendererFilter(peer.Get());
  if (!filter) return E_OUTOFMEMORY;
  hr = filter->QueryInterface(iid, out);
  filter->Release();
  return hr;
}

STDMETHODIMP SimRendererClassFactory::LockServer(BOOL lock) {
  if (lock) {
    AddModuleReference();
  } else {
    ReleaseModuleReference();
  }
  return S_OK;
}
