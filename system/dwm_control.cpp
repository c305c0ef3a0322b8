#include "system/dwm_control.h"

#include "handles/export_lookup.h"

namespace {
using DwmEnableCompositionFunction = HRESULT(WINAPI*)(UINT action);
const UINT kDisableComposition = 0;  // DWM_EC_DISABLECOMPOSITION
}  // namespace

void CDwmControl::DisableComposition() {
  if (!dwmapi_) dwmapi_.reset(::LoadLibraryA("dwmapi.dll"));
  if (!dwmapi_) return;
  const auto enable = LookUpExport<DwmEnableCompositionFunction>(dwmapi_.get(), "DwmEnableComposition");
  if (enable) enable(kDisableComposition);
}
