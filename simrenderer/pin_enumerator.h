#pragma once

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

// Enumerates the single pin of a one-pin filter.
class SinglePinEnumerator final : public IEnumPins {
 public:
  SinglePinEnumerator(IPin* pin, ULONG position);

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP Next(ULONG count, IPin** pins, ULONG* fetched) override;
  STDMETHODIMP Skip(ULONG count) override;
  STDMETHODIMP Reset() override;
  STDMETHODIMP Clone(IEnumPins** clone) override;

 private:
  ~SinglePinEnumerator() = default;
  LONG refCount_ = 1;
  Microsoft::WRL::ComPtr<IPin> pin_;
  ULONG position_;
};
