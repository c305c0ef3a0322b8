#include "sourcefilter/registration.h"

#include <string>

#include "handles/owner.h"
#include "sourcefilter/ball_source_ids.h"

namespace {

constexpr wchar_t kClassKey[] = L"CLSID\\{289A8718-002D-4840-8D80-5E066F2DFE78}";

LONG SetText(HKEY key, const wchar_t* name, const wchar_t* text) {
  const DWORD bytes = static_cast<DWORD>((lstrlenW(text) + 1) * sizeof(wchar_t));
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes);
}

}  // namespace

HRESULT RegisterBallSource(const wchar_t* dllPath) {
  if (!dllPath) return E_POINTER;
  OwnedRegKey classKey;
  LONG status = RegCreateKeyExW(HKEY_CLASSES_ROOT, kClassKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                classKey.put(), nullptr);
  if (status == ERROR_SUCCESS) status = SetText(classKey.get(), nullptr, kBallSourceName);
  OwnedRegKey serverKey;
  if (status == ERROR_SUCCESS) {
    status = RegCreateKeyExW(classKey.get(), L"InprocServer32", 0, nullptr, 0, KEY_WRITE, nullptr,
                             serverKey.put(), nullptr);
  }
  if (status == ERROR_SUCCESS) status = SetText(serverKey.get(), nullptr, dllPath);
  if (status == ERROR_SUCCESS) status = SetText(serverKey.get(), L"ThreadingModel", L"Both");
  return HRESULT_FROM_WIN32(status);
}

HRESULT UnregisterBallSource(const wchar_t* dllPath) {
  if (!dllPath) return E_POINTER;
  // Another copy of the filter, installed elsewhere, may own the class now:
  // its key stays, or that copy's display check would fail.
  wchar_t server[MAX_PATH + 1] = {};
  DWORD bytes = sizeof server - sizeof(wchar_t);
  const std::wstring serverKey = std::wstring(kClassKey) + L"\\InprocServer32";
  const LONG read =
      RegGetValueW(HKEY_CLASSES_ROOT, serverKey.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, server, &bytes);
  if (read == ERROR_SUCCESS && lstrcmpiW(server, dllPath) != 0) return S_FALSE;
  const LONG status = RegDeleteTreeW(HKEY_CLASSES_ROOT, kClassKey);
  if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) return S_OK;
  return HRESULT_FROM_WIN32(status);
}
