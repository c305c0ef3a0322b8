#pragma once

#include <dshow.h>
#include <wrl/client.h>

#include "sourcefilter/ball_stream.h"

class BallFilter;

// The source's one output pin. It lives inside its filter and shares the
// filter's reference count, so a held pin keeps the filter alive.
class BallPin : public IPin {
 public:
  explicit BallPin(BallFilter& filter);
  ~BallPin();
  BallPin(const BallPin&) = delete;
  BallPin& operator=(const BallPin&) = delete;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP Connect(IPin* receivePin, const AM_MEDIA_TYPE* pmt) override;
  STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* pmt) override;
  STDMETHODIMP Disconnect() override;
  STDMETHODIMP ConnectedTo(IPin** pin) override;
  STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* pmt) override;
  STDMETHODIMP QueryPinInfo(PIN_INFO* info) override;
  STDMETHODIMP QueryDirection(PIN_DIRECTION* dir) override;
  STDMETHODIMP QueryId(LPWSTR* id) override;
  STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* pmt) override;
  STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** types) override;
  STDMETHODIMP QueryInternalConnections(IPin** pins, ULONG* count) override;
  STDMETHODIMP EndOfStream() override;
  STDMETHODIMP BeginFlush() override;
  STDMETHODIMP EndFlush() override;
  STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

  // Called by the filter under its lock when it leaves or enters Stopped.
  HRESULT Activate();
  void Deactivate();
  bool IsConnected() const { return peer_ != nullptr; }
  BallStream& Stream() { return stream_; }

 private:
  HRESULT DecideAllocator(IMemInputPin* input);
  void DropConnection();

  BallFilter& filter_;
  Microsoft::WRL::ComPtr<IPin> peer_;
  Microsoft::WRL::ComPtr<IMemInputPin> peerInput_;
  Microsoft::WRL::ComPtr<IMemAllocator> allocator_;
  AM_MEDIA_TYPE mediaType_{};
  BallStream stream_;
};
