#include "app/dwm_control.h"

#include "probe/export_lookup.h"

namespace {
using DwmEnableCompositionFunction = HRESULT(WINAPI*)(UINT action);
const UINT kDisableComposition = 0;  // DWM_EC_DISABLECOMPOSITION
}  // namespace

CDwmControl::~CDwmControl() {
  if (dwmapi_) {
    ::FreeLibrary(dwmapi_);
    dwmapi_ = nullptr;
  }
}

void CDwmControl::DisableComposition() {
  if (!dwmapi_) dwmapi_ = ::LoadLibraryA("dwmapi.dll");
  if (!dwmapi_) return;
  const auto enable = LookUpExport<DwmEnableCompositionFunction>(dwmapi_, "DwmEnableComposition");
  if (enable) enable(kDisableComposition);
}
