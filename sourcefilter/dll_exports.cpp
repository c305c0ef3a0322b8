#include <windows.h>

#include <olectl.h>

#include "sourcefilter/ball_source_ids.h"
#include "sourcefilter/class_factory.h"
#include "sourcefilter/module_refs.h"
#include "sourcefilter/registration.h"

namespace {
HMODULE g_module = nullptr;
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

namespace {
// False when the path does not fit: a cut path would name another file.
bool OwnPath(wchar_t (&path)[MAX_PATH]) {
  const DWORD length = GetModuleFileNameW(g_module, path, MAX_PATH);
  return length != 0 && length < MAX_PATH;
}
}  // namespace

STDAPI DllRegisterServer() {
  wchar_t path[MAX_PATH];
  if (!OwnPath(path)) return SELFREG_E_CLASS;
  return SUCCEEDED(RegisterBallSource(path)) ? S_OK : SELFREG_E_CLASS;
}

// A key that names another copy's DLL is that copy's, and not a failure here.
STDAPI DllUnregisterServer() {
  wchar_t path[MAX_PATH];
  if (!OwnPath(path)) return SELFREG_E_CLASS;
  return SUCCEEDED(UnregisterBallSource(path)) ? S_OK : SELFREG_E_CLASS;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (clsid != kBallSourceClsid) return CLASS_E_CLASSNOTAVAILABLE;
  return GetBallClassFactory(riid, ppv);
}

STDAPI DllCanUnloadNow() { return ModuleInUse() ? S_FALSE : S_OK; }
