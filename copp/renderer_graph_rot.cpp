#include "copp/renderer_graph_rot.h"

#include <wrl/client.h>

#include <cstdint>
#include <cwchar>

void FormatRotName(const void* graph, DWORD processId, wchar_t (&name)[kRotNameChars]) {
  const auto pointerBits = static_cast<unsigned>(reinterpret_cast<uintptr_t>(graph) & 0xFFFFFFFFu);
  _snwprintf(name, kRotNameChars - 1, L"FilterGraph %08x pid %08x", pointerBits,
             static_cast<unsigned>(processId));
  name[kRotNameChars - 1] = L'\0';
}

HRESULT RegisterGraphInRot(IUnknown* graph, DWORD* cookie) {
  Microsoft::WRL::ComPtr<IRunningObjectTable> table;
  if (FAILED(GetRunningObjectTable(0, &table))) return E_FAIL;

  wchar_t name[kRotNameChars];
  FormatRotName(graph, GetCurrentProcessId(), name);
  Microsoft::WRL::ComPtr<IMoniker> moniker;
  HRESULT hr = CreateItemMoniker(L"!", name, &moniker);
  if (SUCCEEDED(hr)) hr = table->Register(ROTFLAGS_REGISTRATIONKEEPSALIVE, graph, moniker.Get(), cookie);
  return hr;
}

void RevokeGraphFromRot(DWORD cookie) {
  Microsoft::WRL::ComPtr<IRunningObjectTable> table;
  if (FAILED(GetRunningObjectTable(0, &table))) return;
  table->Revoke(cookie);
}
