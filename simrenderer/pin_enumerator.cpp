#include "simrenderer/pin_enumerator.h"

#include <new>

SinglePinEnumerator::SinglePinEnumerator(IPin* pin, ULONG position) : pin_(pin), position_(position) {}

STDMETHODIMP SinglePinEnumerator::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_IEnumPins) {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  *out = static_cast<IEnumPins*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) SinglePinEnumerator::AddRef() { return InterlockedIncrement(&refCount_); }

STDMETHODIMP_(ULONG) SinglePinEnumerator::Release() {
  const LONG count = InterlockedDecrement(&refCount_);
  if (count == 0) delete this;
  return count;
}

STDMETHODIMP SinglePinEnumerator::Next(ULONG count, IPin** pins, ULONG* fetched) {
  if (!pins) return E_POINTER;
  if (count > 1 && !fetched) return E_INVALIDARG;
  ULONG given = 0;
  if (count > 0 && position_ == 0) {
    pins[0] = pin_.Get();
    pins[0]->AddRef();
    position_ = 1;
    given = 1;
  }
  if (fetched) *fetched = given;
  return given == count ? S_OK : S_FALSE;
}

STDMETHODIMP SinglePinEnumerator::Skip(ULONG count) {
  const ULONG target = position_ + count;
  position_ = target > 1 ? 1 : target;
  return target <= 1 ? S_OK : S_FALSE;
}

STDMETHODIMP SinglePinEnumerator::Reset() {
  position_ = 0;
  return S_OK;
}

STDMETHODIMP SinglePinEnumerator::Clone(IEnumPins** clone) {
  if (!clone) return E_POINTER;
  *clone = new (std::nothrow) SinglePinEnumerator(pin_.Get(), position_);
  return *clone ? S_OK : E_OUTOFMEMORY;
}
