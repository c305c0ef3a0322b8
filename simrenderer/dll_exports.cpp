#include <windows.h>

#include <dshow.h>

#include <string>

#include "simrenderer/class_factory.h"
#include "simrenderer/driver_census.h"
#include "simrenderer/registration.h"

namespace {

HMODULE g_module = nullptr;
SimRendererClassFactory g_factory;

std::string ModulePath() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(g_module, path, MAX_PATH);
  return std::string(path, length < MAX_PATH ? length : 0);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID classId, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (classId != CLSID_VideoMixingRenderer) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(iid, out);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return ModuleReferences() == 0 ? S_OK : S_FALSE; }

extern "C" HRESULT WINAPI DllRegisterServer() {
  const std::string path = ModulePath();
  if (path.empty()) return E_FAIL;
  return InstallInPlaceOfRenderer(path);
}

extern "C" HRESULT WINAPI DllUnregisterServer() { return RestorePlatformRenderer(); }

extern "C" void WINAPI SimRendererDriverCensus(SimDriverCensus* census) {
  if (census) ReadDriverCensus(census);
}
