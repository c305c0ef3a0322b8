#include "sourcefilter/enumerators.h"

#include <wrl/client.h>

#include <new>

#include "sourcefilter/ball_media_type.h"
#include "sourcefilter/module_refs.h"

namespace {

// What the two enumerators share: a count of one item and a cursor.
template <typename Interface, typename Item>
class SingleItemEnum : public Interface {
 public:
  explicit SingleItemEnum(ULONG position) : position_(position > 1 ? 1 : position) { ModuleObjectCreated(); }
  virtual ~SingleItemEnum() { ModuleObjectDestroyed(); }

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

 private:
  LONG refs_ = 1;
};

class SinglePinEnum : public SingleItemEnum<IEnumPins, IPin> {
 public:
  SinglePinEnum(IPin* pin, ULONG position) : SingleItemEnum(position), pin_(pin) {}
  STDMETHODIMP Clone(IEnumPins** out) override { return CreateSinglePinEnum(pin_.Get(), position_, out); }

 private:
  IPin* MakeItem() override {
    pin_->AddRef();
    return pin_.Get();
  }
  Microsoft::WRL::ComPtr<IPin> pin_;
};

class BallTypeEnum : public SingleItemEnum<IEnumMediaTypes, AM_MEDIA_TYPE> {
 public:
  explicit BallTypeEnum(ULONG position) : SingleItemEnum(position) {}
  STDMETHODIMP Clone(IEnumMediaTypes** out) override { return CreateBallTypeEnum(position_, out); }

 private:
  AM_MEDIA_TYPE* MakeItem() override { return CreateBallMediaType(); }
};

}  // namespace

HRESULT CreateSinglePinEnum(IPin* pin, ULONG position, IEnumPins** out) {
  if (!out) return E_POINTER;
  *out = new (std::nothrow) SinglePinEnum(pin, position);
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT CreateBallTypeEnum(ULONG position, IEnumMediaTypes** out) {
  if (!out) return E_POINTER;
  *out = new (std::nothrow) BallTypeEnum(position);
  return *out ? S_OK : E_OUTOFMEMORY;
}
