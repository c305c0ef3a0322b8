#pragma once

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

class SimRendererFilter;

// The renderer's one input pin. It takes any video connection offered,
// hands out a platform memory allocator and drops every sample: the
// simulated driver only needs the connection, not the pictures.
class SimRendererInputPin : public IPin, public IMemInputPin {
 public:
  explicit SimRendererInputPin(SimRendererFilter* filter);
  ~SimRendererInputPin();

  bool IsConnected() const { return connectedTo_ != nullptr; }

  // IUnknown: lifetime belongs to the filter.
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IPin
  STDMETHODIMP Connect(IPin* receivePin, const AM_MEDIA_TYPE* mediaType) override;
  STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* mediaType) override;
  STDMETHODIMP Disconnect() override;
  STDMETHODIMP ConnectedTo(IPin** pin) override;
  STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* mediaType) override;
  STDMETHODIMP QueryPinInfo(PIN_INFO* info) override;
  STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override;
  STDMETHODIMP QueryId(LPWSTR* id) override;
  STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* mediaType) override;
  STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** types) override;
  STDMETHODIMP QueryInternalConnections(IPin** pins, ULONG* count) override;
  STDMETHODIMP EndOfStream() override;
  STDMETHODIMP BeginFlush() override;
  STDMETHODIMP EndFlush() override;
  STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

  // IMemInputPin
  STDMETHODIMP GetAllocator(IMemAllocator** allocator) override;
  STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
  STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* properties) override;
  STDMETHODIMP Receive(IMediaSample* sample) override;
  STDMETHODIMP ReceiveMultiple(IMediaSample** samples, long count, long* processed) override;
  STDMETHODIMP ReceiveCanBlock() override;

 private:
  SimRendererFilter* filter_;
  Microsoft::WRL::ComPtr<IPin> connectedTo_;
  Microsoft::WRL::ComPtr<IMemAllocator> allocator_;
  AM_MEDIA_TYPE mediaType_{};
};
