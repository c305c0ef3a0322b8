#include "copp/renderer_graph.h"

#include <cstdarg>
#include <cstdio>

#include "copp/clock_release_wake.h"
#include "copp/own_part_fault.h"
#include "copp/renderer_graph_rot.h"
#include "copp/renderer_graph_state.h"
#include "notice/user_notice.h"
#include "trace/judge_log.h"

using Microsoft::WRL::ComPtr;

void ReportGraphError(const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  vsnprintf(text, sizeof text, format, args);
  va_end(args);
  text[sizeof text - 1] = '\0';
  // Owned by the main window, so a click there cannot bury it.
  NotifyUser({RendererGraph().g_hwndOwner, text, "Windowless Sample", MB_OK});
}

RendererGraphState& RendererGraph() {
  static RendererGraphState state;
  return state;
}

HRESULT BuildRendererGraph() {
  RendererGraphState& g = RendererGraph();
  // The build's own locals: released on every way out.
  ComPtr<IBaseFilter> ball;
  ComPtr<IPin> ballOut;
  ComPtr<IPin> vmrIn;

  HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                reinterpret_cast<void**>(g.g_pGB.ReleaseAndGetAddressOf()));
  if (FAILED(hr)) {
    ReportGraphError(
        "FAILED(hr=0x%x) in CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, "
        "IID_IGraphBuilder, (void **)&g_pGB)\n",
        static_cast<unsigned>(hr));
    return hr;
  }
  hr = InitializeWindowlessVMR();
  if (FAILED(hr)) {
    ReportGraphError("FAILED(hr=0x%x) in InitializeWindowlessVMR()\n", static_cast<unsigned>(hr));
    return hr;
  }
  // Our own filter: unregistered, its DLL gone or broken, the setup must
  // mend it, and nothing the check would say after this is about the PC.
  hr = CoCreateInstance(kBouncingBallClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                        reinterpret_cast<void**>(ball.ReleaseAndGetAddressOf()));
  if (FAILED(hr) || !ball) {
    if (SUCCEEDED(hr)) hr = E_NOINTERFACE;
    JudgeTrace("ソースフィルタの作成に失敗 hr = %x", static_cast<unsigned>(hr));
    NoteOwnPartFault(OwnPart::kSourceFilter, static_cast<unsigned long>(hr));
    return hr;
  }
  hr = g.g_pGB->AddFilter(ball.Get(), L"Bouncing Ball");
  if (FAILED(hr)) {
    ReportGraphError("FAILED(hr=0x%x) in g_pGB->AddFilter(Ball, L\"Bouncing Ball\")\n",
                     static_cast<unsigned>(hr));
    return hr;
  }
  hr = GetUnconnectPin(ball.Get(), PINDIR_OUTPUT, ballOut.ReleaseAndGetAddressOf());
  if (FAILED(hr)) {
    ReportGraphError("FAILED(hr=0x%x) in GetUnconnectPin(Ball, PINDIR_OUTPUT, &pBallOut)\n",
                     static_cast<unsigned>(hr));
  }
  hr = GetUnconnectPin(g.g_pVmr.Get(), PINDIR_INPUT, vmrIn.ReleaseAndGetAddressOf());
  if (FAILED(hr)) {
    ReportGraphError("FAILED(hr=0x%x) in GetUnconnectPin(g_pVmr, PINDIR_INPUT, &pVMRIn)\n",
                     static_cast<unsigned>(hr));
  }
  // Left untested on purpose: the graph runs even when nothing is connected.
  if (ballOut && vmrIn) g.g_pGB->Connect(ballOut.Get(), vmrIn.Get());

  hr = g.g_pGB.As(&g.g_pMC);
  if (FAILED(hr)) {
    ReportGraphError("FAILED(hr=0x%x) in g_pGB->QueryInterface(IID_IMediaControl, (void **)&g_pMC)\n",
                     static_cast<unsigned>(hr));
    return hr;
  }
  hr = InitVideoWindowlessVMR();
  if (FAILED(hr)) {
    ReportGraphError("FAILED(hr=0x%x) in InitVideoWindowlessVMR()\n", static_cast<unsigned>(hr));
    return hr;
  }
  hr = RegisterGraphInRot(g.g_pGB.Get(), &g.g_dwRegister);
  if (FAILED(hr)) {
    ReportGraphError("Failed to register filter graph with ROT!  hr=0x%x", static_cast<unsigned>(hr));
    g.g_dwRegister = 0;
  }
  if (g.g_pMC) g.g_pMC->Run();
  // A failed registration makes the caller close the graph it has just run.
  return hr;
}

void OpenRendererGraph(HWND ownerWindow, HWND videoWindow) {
  RendererGraphState& g = RendererGraph();
  g.g_hwndOwner = ownerWindow;
  g.g_hwndVideo = videoWindow;
  if (FAILED(BuildRendererGraph())) CloseRendererGraph();
}

void CloseRendererGraph() {
  RendererGraphState& g = RendererGraph();
  const ClockReleaseWake clockWake(g.g_pGB.Get());
  // Stop, revoke, media control, windowless control, renderer, graph builder.
  if (g.g_pMC) g.g_pMC->Stop();
  if (g.g_dwRegister != 0) {
    RevokeGraphFromRot(g.g_dwRegister);
    g.g_dwRegister = 0;
  }
  g.g_pMC.Reset();
  g.g_pWC.Reset();
  g.g_pVmr.Reset();
  g.g_pGB.Reset();
  // Closed means every member is back at its start value, the windows too.
  g.g_hwndVideo = nullptr;
  g.g_hwndOwner = nullptr;
}

IBaseFilter* GetRendererFilter() { return RendererGraph().g_pVmr.Get(); }
