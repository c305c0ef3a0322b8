#include "sourcefilter/ball_filter.h"

#include <new>

#include "filterbase/pin_enumerator.h"
#include "sourcefilter/ball_source_ids.h"
#include "sourcefilter/module_refs.h"

HRESULT BallFilter::Create(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  auto* filter = new (std::nothrow) BallFilter();
  if (!filter) return E_OUTOFMEMORY;
  const HRESULT hr = filter->QueryInterface(riid, ppv);
  filter->Release();
  return hr;
}

BallFilter::BallFilter() : FilterBase(kBallSourceClsid), pin_(*this) { ModuleObjectCreated(); }

BallFilter::~BallFilter() {
  // Released without a Stop: the stream must not outlive us.
  pin_.Deactivate();
  ModuleObjectDestroyed();
}

STDMETHODIMP BallFilter::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IPersist || riid == IID_IMediaFilter || riid == IID_IBaseFilter) {
    *ppv = static_cast<IBaseFilter*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) BallFilter::AddRef() { return InterlockedIncrement(&refs_); }

STDMETHODIMP_(ULONG) BallFilter::Release() {
  const ULONG left = InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP BallFilter::Stop() {
  ScopedLock hold(lock_);
  pin_.Deactivate();
  state_ = State_Stopped;
  return S_OK;
}

STDMETHODIMP BallFilter::Pause() {
  ScopedLock hold(lock_);
  if (state_ == State_Stopped) {
    const HRESULT hr = pin_.Activate();
    if (FAILED(hr)) return hr;
  }
  state_ = State_Paused;
  return S_OK;
}

STDMETHODIMP BallFilter::Run(REFERENCE_TIME start) {
  ScopedLock hold(lock_);
  if (state_ == State_Stopped) {
    const HRESULT hr = pin_.Activate();
    if (FAILED(hr)) return hr;
  }
  start_ = start;
  state_ = State_Running;
  return S_OK;
}

STDMETHODIMP BallFilter::EnumPins(IEnumPins** pins) { return CreateSinglePinEnum(&pin_, 0, kBallModuleHooks, pins); }

STDMETHODIMP BallFilter::FindPin(LPCWSTR id, IPin** pin) {
  if (!id || !pin) return E_POINTER;
  if (lstrcmpW(id, L"Ball") != 0) {
    *pin = nullptr;
    return VFW_E_NOT_FOUND;
  }
  *pin = &pin_;
  pin_.AddRef();
  return S_OK;
}
