#include "filterbase/filter_base.h"

#include <cstring>

STDMETHODIMP FilterBase::GetClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = clsid_;
  return S_OK;
}

STDMETHODIMP FilterBase::GetState(DWORD, FILTER_STATE* state) {
  if (!state) return E_POINTER;
  ScopedLock hold(lock_);
  *state = state_;
  return S_OK;
}

STDMETHODIMP FilterBase::SetSyncSource(IReferenceClock* clock) {
  ScopedLock hold(lock_);
  clock_ = clock;
  return S_OK;
}

STDMETHODIMP FilterBase::GetSyncSource(IReferenceClock** clock) {
  if (!clock) return E_POINTER;
  ScopedLock hold(lock_);
  *clock = clock_.Get();
  if (*clock) (*clock)->AddRef();
  return S_OK;
}

STDMETHODIMP FilterBase::QueryFilterInfo(FILTER_INFO* info) {
  if (!info) return E_POINTER;
  ScopedLock hold(lock_);
  std::memcpy(info->achName, name_, sizeof name_);
  info->pGraph = graph_;
  if (graph_) graph_->AddRef();
  return S_OK;
}

STDMETHODIMP FilterBase::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
  ScopedLock hold(lock_);
  graph_ = graph;
  name_[0] = L'\0';
  if (name) lstrcpynW(name_, name, MAX_FILTER_NAME);
  return S_OK;
}

STDMETHODIMP FilterBase::QueryVendorInfo(LPWSTR*) { return E_NOTIMPL; }
