#pragma once

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <memory>

#include "filterbase/filter_base.h"
#include "simrenderer/input_pin.h"

// A stand-in for the platform's Video Mixing Renderer: enough of a
// windowless VMR-7 for the checker's graph to build and run, with the
// output-protection interface answered by a simulated graphics driver.
class SimRendererFilter final : public FilterBase, public IVMRFilterConfig, public IVMRWindowlessControl {
 public:
  // coppPeer answers IAMCertifiedOutputProtection; null means "no COPP".
  explicit SimRendererFilter(IUnknown* coppPeer);

  bool IsRunningOrPaused() const { return state_ != State_Stopped; }
  void CountSample() { InterlockedIncrement(&samplesReceived_); }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IPersist / IMediaFilter / IBaseFilter
  STDMETHODIMP Stop() override;
  STDMETHODIMP Pause() override;
  STDMETHODIMP Run(REFERENCE_TIME start) override;
  STDMETHODIMP EnumPins(IEnumPins** pins) override;
  STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;

  // IVMRFilterConfig
  STDMETHODIMP SetImageCompositor(IVMRImageCompositor* compositor) override;
  STDMETHODIMP SetNumberOfStreams(DWORD maxStreams) override;
  STDMETHODIMP GetNumberOfStreams(DWORD* maxStreams) override;
  STDMETHODIMP SetRenderingPrefs(DWORD renderFlags) override;
  STDMETHODIMP GetRenderingPrefs(DWORD* renderFlags) override;
  STDMETHODIMP SetRenderingMode(DWORD mode) override;
  STDMETHODIMP GetRenderingMode(DWORD* mode) override;

  // IVMRWindowlessControl
  STDMETHODIMP GetNativeVideoSize(LONG* width, LONG* height, LONG* arWidth, LONG* arHeight) override;
  STDMETHODIMP GetMinIdealVideoSize(LONG* width, LONG* height) override;
  STDMETHODIMP GetMaxIdealVideoSize(LONG* width, LONG* height) override;
  STDMETHODIMP SetVideoPosition(const LPRECT source, const LPRECT destination) override;
  STDMETHODIMP GetVideoPosition(LPRECT source, LPRECT destination) override;
  STDMETHODIMP GetAspectRatioMode(DWORD* mode) override;
  STDMETHODIMP SetAspectRatioMode(DWORD mode) override;
  STDMETHODIMP SetVideoClippingWindow(HWND window) override;
  STDMETHODIMP RepaintVideo(HWND window, HDC dc) override;
  STDMETHODIMP DisplayModeChanged() override;
  STDMETHODIMP GetCurrentImage(BYTE** dib) override;
  STDMETHODIMP SetBorderColor(COLORREF color) override;
  STDMETHODIMP GetBorderColor(COLORREF* color) override;
  STDMETHODIMP SetColorKey(COLORREF color) override;
  STDMETHODIMP GetColorKey(COLORREF* color) override;

 private:
  ~SimRendererFilter();

  LONG refCount_ = 1;
  LONG samplesReceived_ = 0;
  SimRendererInputPin inputPin_;
  Microsoft::WRL::ComPtr<IUnknown> coppPeer_;
  DWORD renderingMode_ = VMRMode_Windowed;
  HWND clippingWindow_ = nullptr;
  RECT destination_ = {};
  COLORREF borderColor_ = 0;
  DWORD aspectRatioMode_ = VMR_ARMODE_NONE;
};
