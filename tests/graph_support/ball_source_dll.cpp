#include "tests/graph_support/ball_source_dll.h"

#include <gtest/gtest.h>

#include <string>

ComServerDll::ComServerDll(const char* path) {
  module_ = LoadLibraryA(path);
  if (module_) GetModuleFileNameW(module_, path_, MAX_PATH);
}

BallSourceDll::BallSourceDll() : ComServerDll(BALL_SOURCE_DLL) {}

SimRendererDll::SimRendererDll() : ComServerDll(SIM_RENDERER_DLL) {}

ComServerDll::~ComServerDll() {
  if (module_) FreeLibrary(module_);
}

HRESULT ComServerDll::Call(const char* name) const {
  if (!module_) return E_FAIL;
  auto entry =
      reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  return entry ? entry() : E_NOTIMPL;
}

HRESULT ComServerDll::Register() const { return Call("DllRegisterServer"); }
HRESULT ComServerDll::Unregister() const { return Call("DllUnregisterServer"); }
HRESULT ComServerDll::CanUnloadNow() const { return Call("DllCanUnloadNow"); }

HRESULT ComServerDll::GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) const {
  if (!module_) return E_FAIL;
  auto entry = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
      reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
  return entry ? entry(clsid, riid, ppv) : E_NOTIMPL;
}

ScopedBallSourceUnregistered::~ScopedBallSourceUnregistered() {
  const HRESULT registered = dll_.Register();
  if (registered == S_OK) return;
  ADD_FAILURE() << "the source filter could not be registered again: 0x" << std::hex
                << static_cast<unsigned long>(registered);
  std::wstring command = std::wstring(L"regsvr32.exe /s \"") + dll_.Path() + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return;
  WaitForSingleObject(process.hProcess, 30000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}
