#include <wrl/client.h>

#include "copp/renderer_graph_state.h"

using Microsoft::WRL::ComPtr;

HRESULT GetUnconnectPin(IBaseFilter* filter, PIN_DIRECTION direction, IPin** pin) {
  *pin = nullptr;
  if (!filter) return E_POINTER;
  ComPtr<IEnumPins> pins;
  HRESULT hr = filter->EnumPins(&pins);
  if (FAILED(hr)) return hr;

  ComPtr<IPin> candidate;
  while (pins->Next(1, candidate.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
    PIN_DIRECTION candidateDirection;
    if (FAILED(candidate->QueryDirection(&candidateDirection)) || candidateDirection != direction) continue;
    ComPtr<IPin> peer;
    if (candidate->ConnectedTo(&peer) == VFW_E_NOT_CONNECTED) {
      *pin = candidate.Detach();
      break;
    }
  }
  return S_OK;
}
