#include <wrl/client.h>

#include "copp/renderer_graph_state.h"

using Microsoft::WRL::ComPtr;

HRESULT InitializeWindowlessVMR() {
  RendererGraphState& g = RendererGraph();
  HRESULT hr = CoCreateInstance(CLSID_VideoMixingRenderer, nullptr, CLSCTX_INPROC, IID_IBaseFilter,
                                reinterpret_cast<void**>(g.g_pVmr.ReleaseAndGetAddressOf()));
  if (FAILED(hr)) return hr;
  hr = g.g_pGB->AddFilter(g.g_pVmr.Get(), L"Video Mixing Renderer");
  if (FAILED(hr)) return hr;

  // The MinGW headers give these two interfaces no __uuidof, so they are asked for by IID.
  ComPtr<IVMRFilterConfig> config;
  if (SUCCEEDED(
          g.g_pVmr->QueryInterface(IID_IVMRFilterConfig, reinterpret_cast<void**>(config.GetAddressOf())))) {
    config->SetRenderingMode(VMRMode_Windowless);
  }

  hr = g.g_pVmr->QueryInterface(IID_IVMRWindowlessControl,
                                reinterpret_cast<void**>(g.g_pWC.ReleaseAndGetAddressOf()));
  if (FAILED(hr)) return hr;
  g.g_pWC->SetVideoClippingWindow(g.g_hwndVideo);
  g.g_pWC->SetBorderColor(0);
  return hr;
}

HRESULT InitVideoWindowlessVMR() {
  RendererGraphState& g = RendererGraph();
  RECT client{};
  GetClientRect(g.g_hwndVideo, &client);
  if (!g.g_pWC) return S_OK;
  return g.g_pWC->SetVideoPosition(nullptr, &client);
}
