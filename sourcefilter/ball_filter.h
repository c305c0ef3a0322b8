#pragma once

#include <dshow.h>
#include <wrl/client.h>

#include "sourcefilter/ball_pin.h"
#include "sourcefilter/scoped_lock.h"

// The bouncing-ball video source: one output pin, a worker thread that
// streams while the filter is paused or running.
class BallFilter final : public IBaseFilter {
 public:
  // A new filter with one reference, queried for `riid`.
  static HRESULT Create(REFIID riid, void** ppv);

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP GetClassID(CLSID* clsid) override;
  STDMETHODIMP Stop() override;
  STDMETHODIMP Pause() override;
  STDMETHODIMP Run(REFERENCE_TIME start) override;
  STDMETHODIMP GetState(DWORD timeout, FILTER_STATE* state) override;
  STDMETHODIMP SetSyncSource(IReferenceClock* clock) override;
  STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;
  STDMETHODIMP EnumPins(IEnumPins** pins) override;
  STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;
  STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
  STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
  STDMETHODIMP QueryVendorInfo(LPWSTR* info) override;

  CriticalSection& Lock() { return lock_; }
  FILTER_STATE State() const { return state_; }
  IFilterGraph* Graph() const { return graph_; }
  BallPin& OutputPin() { return pin_; }

 private:
  BallFilter();
  ~BallFilter();

  LONG refs_ = 1;
  CriticalSection lock_;
  FILTER_STATE state_ = State_Stopped;
  REFERENCE_TIME start_ = 0;
  Microsoft::WRL::ComPtr<IReferenceClock> clock_;
  IFilterGraph* graph_ = nullptr;  // not held: the graph holds us
  WCHAR name_[MAX_FILTER_NAME] = {};
  BallPin pin_;
};
