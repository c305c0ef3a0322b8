#include "sourcefilter/ball_pin.h"

#include <cstring>

#include <new>

#include "filterbase/single_item_enum.h"
#include "sourcefilter/ball_filter.h"
#include "sourcefilter/ball_media_type.h"
#include "sourcefilter/module_refs.h"

namespace {

constexpr wchar_t kPinName[] = L"Ball";

// Enumerates the pin's single media type; starts with one reference that
// the caller owns.
HRESULT CreateBallTypeEnum(ULONG position, IEnumMediaTypes** out);

class BallTypeEnum final : public SingleItemEnum<IEnumMediaTypes, AM_MEDIA_TYPE> {
 public:
  explicit BallTypeEnum(ULONG position) : SingleItemEnum(position, kBallModuleHooks) {}
  STDMETHODIMP Clone(IEnumMediaTypes** out) override { return CreateBallTypeEnum(position_, out); }

 private:
  AM_MEDIA_TYPE* MakeItem() override { return CreateBallMediaType(); }
};

HRESULT CreateBallTypeEnum(ULONG position, IEnumMediaTypes** out) {
  if (!out) return E_POINTER;
  *out = new (std::nothrow) BallTypeEnum(position);
  return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

BallPin::BallPin(BallFilter& filter) : filter_(filter) {}

BallPin::~BallPin() {
  stream_.Stop();
  ClearMediaType(mediaType_);
}

STDMETHODIMP BallPin::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IPin) {
    *ppv = static_cast<IPin*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) BallPin::AddRef() { return filter_.AddRef(); }
STDMETHODIMP_(ULONG) BallPin::Release() { return filter_.Release(); }

STDMETHODIMP BallPin::Connect(IPin* receivePin, const AM_MEDIA_TYPE* pmt) {
  if (!receivePin) return E_POINTER;
  ScopedLock hold(filter_.Lock());
  if (peer_) return VFW_E_ALREADY_CONNECTED;
  if (filter_.State() != State_Stopped) return VFW_E_NOT_STOPPED;
  // A partly given type may narrow the choice, but only to our one format.
  if (pmt && ((pmt->majortype != GUID_NULL && pmt->majortype != MEDIATYPE_Video) ||
              (pmt->subtype != GUID_NULL && pmt->subtype != MEDIASUBTYPE_RGB32) ||
              (pmt->formattype != GUID_NULL && pmt->formattype != FORMAT_VideoInfo))) {
    return VFW_E_NO_ACCEPTABLE_TYPES;
  }
  AM_MEDIA_TYPE offer{};
  HRESULT hr = FillBallMediaType(offer);
  if (FAILED(hr)) return hr;
  hr = receivePin->ReceiveConnection(this, &offer);
  if (FAILED(hr)) {
    ClearMediaType(offer);
    return VFW_E_NO_ACCEPTABLE_TYPES;
  }
  peer_ = receivePin;
  mediaType_ = offer;
  hr = peer_.As(&peerInput_);
  if (SUCCEEDED(hr)) hr = DecideAllocator(peerInput_.Get());
  if (FAILED(hr)) {
    receivePin->Disconnect();
    DropConnection();
    return hr;
  }
  return S_OK;
}

HRESULT BallPin::DecideAllocator(IMemInputPin* input) {
  ALLOCATOR_PROPERTIES wanted{};
  input->GetAllocatorRequirements(&wanted);  // optional for the input pin
  ALLOCATOR_PROPERTIES asked{};
  asked.cBuffers = wanted.cBuffers > 2 ? wanted.cBuffers : 2;
  asked.cbBuffer = wanted.cbBuffer > static_cast<LONG>(kBallImageSize) ? wanted.cbBuffer : kBallImageSize;
  asked.cbAlign = wanted.cbAlign > 1 ? wanted.cbAlign : 1;
  asked.cbPrefix = wanted.cbPrefix;

  Microsoft::WRL::ComPtr<IMemAllocator> allocators[2];
  input->GetAllocator(allocators[0].ReleaseAndGetAddressOf());
  CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                   reinterpret_cast<void**>(allocators[1].ReleaseAndGetAddressOf()));
  HRESULT hr = VFW_E_NO_ALLOCATOR;
  for (auto& candidate : allocators) {
    if (!candidate) continue;
    ALLOCATOR_PROPERTIES actual{};
    hr = candidate->SetProperties(&asked, &actual);
    if (SUCCEEDED(hr) && actual.cbBuffer < static_cast<LONG>(kBallImageSize)) hr = E_FAIL;
    if (SUCCEEDED(hr)) hr = input->NotifyAllocator(candidate.Get(), FALSE);
    if (SUCCEEDED(hr)) {
      allocator_ = candidate;
      return S_OK;
    }
  }
  return hr;
}

void BallPin::DropConnection() {
  peerInput_.Reset();
  peer_.Reset();
  allocator_.Reset();
  ClearMediaType(mediaType_);
}

STDMETHODIMP BallPin::ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) { return E_UNEXPECTED; }

STDMETHODIMP BallPin::Disconnect() {
  ScopedLock hold(filter_.Lock());
  if (filter_.State() != State_Stopped) return VFW_E_NOT_STOPPED;
  if (!peer_) return S_FALSE;
  DropConnection();
  return S_OK;
}

STDMETHODIMP BallPin::ConnectedTo(IPin** pin) {
  if (!pin) return E_POINTER;
  ScopedLock hold(filter_.Lock());
  *pin = peer_.Get();
  if (!*pin) return VFW_E_NOT_CONNECTED;
  (*pin)->AddRef();
  return S_OK;
}

STDMETHODIMP BallPin::ConnectionMediaType(AM_MEDIA_TYPE* pmt) {
  if (!pmt) return E_POINTER;
  ScopedLock hold(filter_.Lock());
  if (!peer_) {
    std::memset(pmt, 0, sizeof *pmt);
    return VFW_E_NOT_CONNECTED;
  }
  return CopyMediaTypeFields(*pmt, mediaType_);
}

STDMETHODIMP BallPin::QueryPinInfo(PIN_INFO* info) {
  if (!info) return E_POINTER;
  info->pFilter = &filter_;
  filter_.AddRef();
  info->dir = PINDIR_OUTPUT;
  static_assert(sizeof kPinName <= sizeof info->achName, "pin name fits");
  std::memcpy(info->achName, kPinName, sizeof kPinName);
  return S_OK;
}

STDMETHODIMP BallPin::QueryDirection(PIN_DIRECTION* dir) {
  if (!dir) return E_POINTER;
  *dir = PINDIR_OUTPUT;
  return S_OK;
}

STDMETHODIMP BallPin::QueryId(LPWSTR* id) {
  if (!id) return E_POINTER;
  *id = static_cast<LPWSTR>(CoTaskMemAlloc(sizeof kPinName));
  if (!*id) return E_OUTOFMEMORY;
  std::memcpy(*id, kPinName, sizeof kPinName);
  return S_OK;
}

STDMETHODIMP BallPin::QueryAccept(const AM_MEDIA_TYPE* pmt) {
  if (!pmt) return E_POINTER;
  return IsBallMediaType(*pmt) ? S_OK : S_FALSE;
}

STDMETHODIMP BallPin::EnumMediaTypes(IEnumMediaTypes** types) { return CreateBallTypeEnum(0, types); }

STDMETHODIMP BallPin::QueryInternalConnections(IPin**, ULONG*) { return E_NOTIMPL; }
STDMETHODIMP BallPin::EndOfStream() { return E_UNEXPECTED; }
STDMETHODIMP BallPin::BeginFlush() { return E_UNEXPECTED; }
STDMETHODIMP BallPin::EndFlush() { return E_UNEXPECTED; }
STDMETHODIMP BallPin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) { return S_OK; }

HRESULT BallPin::Activate() {
  if (!peer_ || !allocator_) return S_OK;
  HRESULT hr = allocator_->Commit();
  if (FAILED(hr)) return hr;
  hr = stream_.Start(allocator_.Get(), peerInput_.Get());
  if (FAILED(hr)) allocator_->Decommit();
  return hr;
}

void BallPin::Deactivate() {
  stream_.Stop();
  if (allocator_) allocator_->Decommit();
}
