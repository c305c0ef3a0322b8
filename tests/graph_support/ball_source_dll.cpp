#include "tests/graph_support/ball_source_dll.h"

BallSourceDll::BallSourceDll() {
  module_ = LoadLibraryA(BALL_SOURCE_DLL);
  if (module_) GetModuleFileNameW(module_, path_, MAX_PATH);
}

BallSourceDll::~BallSourceDll() {
  if (module_) FreeLibrary(module_);
}

HRESULT BallSourceDll::Call(const char* name) const {
  if (!module_) return E_FAIL;
  auto entry =
      reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  return entry ? entry() : E_NOTIMPL;
}

HRESULT BallSourceDll::Register() const { return Call("DllRegisterServer"); }
HRESULT BallSourceDll::Unregister() const { return Call("DllUnregisterServer"); }
HRESULT BallSourceDll::CanUnloadNow() const { return Call("DllCanUnloadNow"); }

HRESULT BallSourceDll::GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) const {
  if (!module_) return E_FAIL;
  auto entry = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
      reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
  return entry ? entry(clsid, riid, ppv) : E_NOTIMPL;
}
