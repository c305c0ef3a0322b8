#include "simrenderer/input_pin.h"

#include <cwchar>

#include "filterbase/media_type.h"
#include "simrenderer/renderer_filter.h"

namespace {

constexpr wchar_t kPinName[] = L"VMR Input0";

}  // namespace

SimRendererInputPin::SimRendererInputPin(SimRendererFilter* filter) : filter_(filter) {}

SimRendererInputPin::~SimRendererInputPin() { ClearMediaType(mediaType_); }

STDMETHODIMP SimRendererInputPin::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPin) {
    *out = static_cast<IPin*>(this);
  } else if (iid == IID_IMemInputPin) {
    *out = static_cast<IMemInputPin*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) SimRendererInputPin::AddRef() { return filter_->AddRef(); }

STDMETHODIMP_(ULONG) SimRendererInputPin::Release() { return filter_->Release(); }

STDMETHODIMP SimRendererInputPin::Connect(IPin*, const AM_MEDIA_TYPE*) {
  return E_UNEXPECTED;  // an input pin only receives connections
}

STDMETHODIMP SimRendererInputPin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* mediaType) {
  if (!connector || !mediaType) return E_POINTER;
  if (connectedTo_) return VFW_E_ALREADY_CONNECTED;
  if (filter_->IsRunningOrPaused()) return VFW_E_NOT_STOPPED;
  if (QueryAccept(mediaType) != S_OK) return VFW_E_TYPE_NOT_ACCEPTED;
  ClearMediaType(mediaType_);
  HRESULT hr = CopyMediaTypeFields(mediaType_, *mediaType);
  if (FAILED(hr)) return hr;
  connectedTo_ = connector;
  return S_OK;
}

STDMETHODIMP SimRendererInputPin::Disconnect() {
  if (!connectedTo_) return S_FALSE;
  connectedTo_.Reset();
  allocator_.Reset();
  ClearMediaType(mediaType_);
  return S_OK;
}

STDMETHODIMP SimRendererInputPin::ConnectedTo(IPin** pin) {
  if (!pin) return E_POINTER;
  *pin = connectedTo_.Get();
  if (!*pin) return VFW_E_NOT_CONNECTED;
  (*pin)->AddRef();
  return S_OK;
}

STDMETHODIMP SimRendererInputPin::ConnectionMediaType(AM_MEDIA_TYPE* mediaType) {
  if (!mediaType) return E_POINTER;
  if (!connectedTo_) {
    *mediaType = AM_MEDIA_TYPE{};
    return VFW_E_NOT_CONNECTED;
  }
  return CopyMediaTypeFields(*mediaType, mediaType_);
}

STDMETHODIMP SimRendererInputPin::QueryPinInfo(PIN_INFO* info) {
  if (!info) return E_POINTER;
  info->pFilter = filter_;
  filter_->AddRef();
  info->dir = PINDIR_INPUT;
  wcsncpy(info->achName, kPinName, MAX_PIN_NAME - 1);
  info->achName[MAX_PIN_NAME - 1] = L'\0';
  return S_OK;
}

STDMETHODIMP SimRendererInputPin::QueryDirection(PIN_DIRECTION* direction) {
  if (!direction) return E_POINTER;
  *direction = PINDIR_INPUT;
  return S_OK;
}

STDMETHODIMP SimRendererInputPin::QueryId(LPWSTR* id) {
  if (!id) return E_POINTER;
  const size_t bytes = sizeof(kPinName);
  *id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
  if (!*id) return E_OUTOFMEMORY;
  memcpy(*id, kPinName, bytes);
  return S_OK;
}

STDMETHODIMP SimRendererInputPin::QueryAccept(const AM_MEDIA_TYPE* mediaType) {
  if (!mediaType) return E_POINTER;
  return mediaType->majortype == MEDIATYPE_Video ? S_OK : S_FALSE;
}

STDMETHODIMP SimRendererInputPin::EnumMediaTypes(IEnumMediaTypes**) {
  return E_NOTIMPL;  // the upstream pin proposes; we prefer nothing
}

STDMETHODIMP SimRendererInputPin::QueryInternalConnections(IPin**, ULONG*) { return E_NOTIMPL; }

STDMETHODIMP SimRendererInputPin::EndOfStream() { return S_OK; }

STDMETHODIMP SimRendererInputPin::BeginFlush() { return S_OK; }

STDMETHODIMP SimRendererInputPin::EndFlush() { return S_OK; }

STDMETHODIMP SimRendererInputPin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) { return S_OK; }

STDMETHODIMP SimRendererInputPin::GetAllocator(IMemAllocator** allocator) {
  if (!allocator) return E_POINTER;
  *allocator = nullptr;
  if (!allocator_) {
    HRESULT hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                  reinterpret_cast<void**>(allocator_.ReleaseAndGetAddressOf()));
    if (FAILED(hr)) return hr;
  }
  *allocator = allocator_.Get();
  (*allocator)->AddRef();
  return S_OK;
}

STDMETHODIMP SimRendererInputPin::NotifyAllocator(IMemAllocator* allocator, BOOL) {
  if (!allocator) return E_POINTER;
  allocator_ = allocator;
  return S_OK;
}

STDMETHODIMP SimRendererInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*) { return E_NOTIMPL; }

STDMETHODIMP SimRendererInputPin::Receive(IMediaSample* sample) {
  if (!sample) return E_POINTER;
  filter_->CountSample();
  return S_OK;
}

STDMETHODIMP SimRendererInputPin::ReceiveMultiple(IMediaSample** samples, long count, long* processed) {
  if (!samples || !processed) return E_POINTER;
  *processed = 0;
  for (long i = 0; i < count; ++i) {
    HRESULT hr = Receive(samples[i]);
    if (hr != S_OK) return hr;
    ++*processed;
  }
  return S_OK;
}

STDMETHODIMP SimRendererInputPin::ReceiveCanBlock() { return S_FALSE; }
