#include "sourcefilter/class_factory.h"

#include <new>

#include "sourcefilter/ball_filter.h"
#include "sourcefilter/module_refs.h"

namespace {

class BallClassFactory : public IClassFactory {
 public:
  BallClassFactory() { ModuleObjectCreated(); }
  virtual ~BallClassFactory() { ModuleObjectDestroyed(); }

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
      *ppv = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
  }

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return BallFilter::Create(riid, ppv);
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    ModuleLock(lock != FALSE);
    return S_OK;
  }

 private:
  LONG refs_ = 1;
};

}  // namespace

HRESULT GetBallClassFactory(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  auto* factory = new (std::nothrow) BallClassFactory();
  if (!factory) return E_OUTOFMEMORY;
  const HRESULT hr = factory->QueryInterface(riid, ppv);
  factory->Release();
  return hr;
}
