#pragma once

#include <dshow.h>
#include <wrl/client.h>

// The one renderer graph of the process; every member is null or zero while closed.
struct RendererGraphState {
  HWND g_hwndOwner = nullptr;  // owner of the graph's boxes
  HWND g_hwndVideo = nullptr;  // clipping window and source of the video rectangle
  Microsoft::WRL::ComPtr<IGraphBuilder> g_pGB;
  Microsoft::WRL::ComPtr<IMediaControl> g_pMC;
  Microsoft::WRL::ComPtr<IBaseFilter> g_pVmr;
  Microsoft::WRL::ComPtr<IVMRWindowlessControl> g_pWC;
  DWORD g_dwRegister = 0;  // running object table cookie; 0 = not registered
};

RendererGraphState& RendererGraph();

// {289A8718-002D-4840-8D80-5E066F2DFE78}, registered on the system by the source's own server.
inline constexpr CLSID kBouncingBallClsid = {
    0x289A8718, 0x002D, 0x4840, {0x8D, 0x80, 0x5E, 0x06, 0x6F, 0x2D, 0xFE, 0x78}};

// The steps of the build, in the order BuildRendererGraph takes them.
HRESULT BuildRendererGraph();
HRESULT InitializeWindowlessVMR();
HRESULT InitVideoWindowlessVMR();

// Formats printf-style into 1024 bytes (1023 characters at most) and shows
// the text in a modal "Windowless Sample" box with an OK button, owned by
// the graph's owner window.
void ReportGraphError(const char* format, ...);

// First pin of `direction` that is not connected; S_OK with a null pin when there is none.
HRESULT GetUnconnectPin(IBaseFilter* filter, PIN_DIRECTION direction, IPin** pin);
