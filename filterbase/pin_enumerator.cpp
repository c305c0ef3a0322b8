#include "filterbase/pin_enumerator.h"

#include <wrl/client.h>

#include <new>

#include "filterbase/single_item_enum.h"

namespace {

class SinglePinEnum final : public SingleItemEnum<IEnumPins, IPin> {
 public:
  SinglePinEnum(IPin* pin, ULONG position, const ModuleHooks& hooks) : SingleItemEnum(position, hooks), pin_(pin) {}
  STDMETHODIMP Clone(IEnumPins** out) override { return CreateSinglePinEnum(pin_.Get(), position_, hooks_, out); }

 private:
  IPin* MakeItem() override {
    pin_->AddRef();
    return pin_.Get();
  }
  Microsoft::WRL::ComPtr<IPin> pin_;
};

}  // namespace

HRESULT CreateSinglePinEnum(IPin* pin, ULONG position, const ModuleHooks& hooks, IEnumPins** out) {
  if (!out) return E_POINTER;
  *out = new (std::nothrow) SinglePinEnum(pin, position, hooks);
  return *out ? S_OK : E_OUTOFMEMORY;
}
