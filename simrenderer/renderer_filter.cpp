#include "simrenderer/renderer_filter.h"

#include <cwchar>

#include "filterbase/pin_enumerator.h"
#include "simrenderer/class_factory.h"
#include <strmif.h>

SimRendererFilter::SimRendererFilter(IUnknown* coppPeer)
    : FilterBase(CLSID_VideoMixingRenderer), inputPin_(this), coppPeer_(coppPeer) {
  AddModuleReference();
}

SimRendererFilter::~SimRendererFilter() { ReleaseModuleReference(); }

// The COPP interface is handed out by the peer object itself: the client
// only ever calls it, so sharing one identity with the filter is not needed.
STDMETHODIMP SimRendererFilter::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter || iid == IID_IBaseFilter) {
    *out = static_cast<IBaseFilter*>(this);
  } else if (iid == IID_IVMRFilterConfig) {
    *out = static_cast<IVMRFilterConfig*>(this);
  } else if (iid == IID_IVMRWindowlessControl) {
    *out = static_cast<IVMRWindowlessControl*>(this);
  } else if (iid == IID_IAMCertifiedOutputProtection && coppPeer_) {
    return coppPeer_->QueryInterface(iid, out);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) SimRendererFilter::AddRef() { return InterlockedIncrement(&refCount_); }

STDMETHODIMP_(ULONG) SimRendererFilter::Release() {
  const LONG count = InterlockedDecrement(&refCount_);
  if (count == 0) delete this;
  return count;
}

STDMETHODIMP SimRendererFilter::Stop() {
  state_ = State_Stopped;
  return S_OK;
}

STDMETHODIMP SimRendererFilter::Pause() {
  state_ = State_Paused;
  return S_OK;
}

STDMETHODIMP SimRendererFilter::Run(REFERENCE_TIME) {
  state_ = State_Running;
  return S_OK;
}

STDMETHODIMP SimRendererFilter::EnumPins(IEnumPins** pins) {
  return CreateSinglePinEnum(&inputPin_, 0, kSimRendererModuleHooks, pins);
}

STDMETHODIMP SimRendererFilter::FindPin(LPCWSTR id, IPin** pin) {
  if (!id || !pin) return E_POINTER;
  *pin = nullptr;
  LPWSTR ownId = nullptr;
  HRESULT hr = inputPin_.QueryId(&ownId);
  if (FAILED(hr)) return hr;
  const bool same = wcscmp(ownId, id) == 0;
  CoTaskMemFree(ownId);
  if (!same) return VFW_E_NOT_FOUND;
  *pin = &inputPin_;
  (*pin)->AddRef();
  return S_OK;
}

STDMETHODIMP SimRendererFilter::SetImageCompositor(IVMRImageCompositor*) { return E_NOTIMPL; }

STDMETHODIMP SimRendererFilter::SetNumberOfStreams(DWORD) { return E_NOTIMPL; }

STDMETHODIMP SimRendererFilter::GetNumberOfStreams(DWORD* maxStreams) {
  if (!maxStreams) return E_POINTER;
  *maxStreams = 0;
  return S_OK;
}

STDMETHODIMP SimRendererFilter::SetRenderingPrefs(DWORD) { return S_OK; }

STDMETHODIMP SimRendererFilter::GetRenderingPrefs(DWORD* renderFlags) {
  if (!renderFlags) return E_POINTER;
  *renderFlags = 0;
  return S_OK;
}

STDMETHODIMP SimRendererFilter::SetRenderingMode(DWORD mode) {
  if (mode != VMRMode_Windowed && mode != VMRMode_Windowless && mode != VMRMode_Renderless) return E_INVALIDARG;
  renderingMode_ = mode;
  return S_OK;
}

STDMETHODIMP SimRendererFilter::GetRenderingMode(DWORD* mode) {
  if (!mode) return E_POINTER;
  *mode = renderingMode_;
  return S_OK;
}

STDMETHODIMP SimRendererFilter::GetNativeVideoSize(LONG*, LONG*, LONG*, LONG*) { return E_NOTIMPL; }

STDMETHODIMP SimRendererFilter::GetMinIdealVideoSize(LONG*, LONG*) { return E_NOTIMPL; }

STDMETHODIMP SimRendererFilter::GetMaxIdealVideoSize(LONG*, LONG*) { return E_NOTIMPL; }

STDMETHODIMP SimRendererFilter::SetVideoPosition(const LPRECT, const LPRECT destination) {
  if (renderingMode_ != VMRMode_Windowless) return VFW_E_WRONG_STATE;
  if (destination) destination_ = *destination;
  return S_OK;
}

STDMETHODIMP SimRendererFilter::GetVideoPosition(LPRECT source, LPRECT destination) {
  if (source) SetRectEmpty(source);
  if (destination) *destination = destination_;
  return S_OK;
}

STDMETHODIMP SimRendererFilter::GetAspectRatioMode(DWORD* mode) {
  if (!mode) return E_POINTER;
  *mode = aspectRatioMode_;
  return S_OK;
}

STDMETHODIMP SimRendererFilter::SetAspectRatioMode(DWORD mode) {
  aspectRatioMode_ = mode;
  return S_OK;
}

STDMETHODIMP SimRendererFilter::SetVideoClippingWindow(HWND window) {
  if (renderingMode_ != VMRMode_Windowless) return VFW_E_WRONG_STATE;
  if (!IsWindow(window)) return E_INVALIDARG;
  clippingWindow_ = window;
  return S_OK;
}

STDMETHODIMP SimRendererFilter::RepaintVideo(HWND, HDC) { return S_OK; }

STDMETHODIMP SimRendererFilter::DisplayModeChanged() { return S_OK; }

STDMETHODIMP SimRendererFilter::GetCurrentImage(BYTE**) { return E_NOTIMPL; }

STDMETHODIMP SimRendererFilter::SetBorderColor(COLORREF color) {
  borderColor_ = color;
  return S_OK;
}

STDMETHODIMP SimRendererFilter::GetBorderColor(COLORREF* color) {
  if (!color) return E_POINTER;
  *color = borderColor_;
  return S_OK;
}

STDMETHODIMP SimRendererFilter::SetColorKey(COLORREF) { return E_NOTIMPL; }

STDMETHODIMP SimRendererFilter::GetColorKey(COLORREF*) { return E_NOTIMPL; }
