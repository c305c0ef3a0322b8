#pragma once

#include <dshow.h>
#include <wrl/client.h>

#include "filterbase/scoped_lock.h"

// The IBaseFilter bookkeeping our filters keep alike: class id, state,
// clock, graph and name. Subclasses own their pins and state changes.
class FilterBase : public IBaseFilter {
 public:
  STDMETHODIMP GetClassID(CLSID* clsid) override;
  STDMETHODIMP GetState(DWORD timeout, FILTER_STATE* state) override;
  STDMETHODIMP SetSyncSource(IReferenceClock* clock) override;
  STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;
  STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
  STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
  STDMETHODIMP QueryVendorInfo(LPWSTR* info) override;

 protected:
  explicit FilterBase(const CLSID& clsid) : clsid_(clsid) {}
  ~FilterBase() = default;

  CriticalSection lock_;
  FILTER_STATE state_ = State_Stopped;
  IFilterGraph* graph_ = nullptr;  // not held: the graph holds its filters

 private:
  const CLSID clsid_;
  Microsoft::WRL::ComPtr<IReferenceClock> clock_;
  WCHAR name_[MAX_FILTER_NAME] = {};
};
