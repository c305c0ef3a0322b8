#pragma once

#include <dshow.h>

#include "filterbase/filter_base.h"
#include "sourcefilter/ball_pin.h"

// The bouncing-ball video source: one output pin, a worker thread that
// streams while the filter is paused or running.
class BallFilter final : public FilterBase {
 public:
  // A new filter with one reference, queried for `riid`.
  static HRESULT Create(REFIID riid, void** ppv);

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP Stop() override;
  STDMETHODIMP Pause() override;
  STDMETHODIMP Run(REFERENCE_TIME start) override;
  STDMETHODIMP EnumPins(IEnumPins** pins) override;
  STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;

  CriticalSection& Lock() { return lock_; }
  FILTER_STATE State() const { return state_; }
  IFilterGraph* Graph() const { return graph_; }
  BallPin& OutputPin() { return pin_; }

 private:
  BallFilter();
  ~BallFilter();

  LONG refs_ = 1;
  REFERENCE_TIME start_ = 0;
  BallPin pin_;
};
