#pragma once

#include <windows.h>

#include <objbase.h>

#include "filterbase/module_hooks.h"

// An IEnumXxx over exactly one item: a cursor that is either before or past
// it. Subclasses make the item and implement Clone.
template <typename Interface, typename Item>
class SingleItemEnum : public Interface {
 public:
  SingleItemEnum(ULONG position, const ModuleHooks& hooks)
      : position_(position > 1 ? 1 : position), hooks_(hooks) {
    hooks_.objectCreated();
  }
  virtual ~SingleItemEnum() { hooks_.objectDestroyed(); }

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == __uuidof(Interface)) {
      *ppv = static_cast<Interface*>(this);
      this->AddRef();
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

  STDMETHODIMP Next(ULONG count, Item** items, ULONG* fetched) override {
    if (!items) return E_POINTER;
    if (count > 1 && !fetched) return E_INVALIDARG;
    ULONG done = 0;
    if (count > 0 && position_ == 0) {
      items[0] = MakeItem();
      if (!items[0]) return E_OUTOFMEMORY;
      position_ = 1;
      done = 1;
    }
    if (fetched) *fetched = done;
    return done == count ? S_OK : S_FALSE;
  }
  // Compares against what is left rather than adding, so a huge count
  // cannot wrap the cursor back to the start.
  STDMETHODIMP Skip(ULONG count) override {
    const ULONG left = 1 - position_;
    position_ = count >= left ? 1 : position_ + count;
    return count <= left ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override {
    position_ = 0;
    return S_OK;
  }

 protected:
  virtual Item* MakeItem() = 0;
  ULONG position_;
  const ModuleHooks hooks_;

 private:
  LONG refs_ = 1;
};
