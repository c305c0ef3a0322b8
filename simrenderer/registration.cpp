#include "simrenderer/registration.h"

#include <vector>

#include "handles/owner.h"

namespace {

// Per-user class registrations are not honoured for this class by the
// platform's COM here, so the machine-wide key is the one to override.
constexpr char kServerKey[] =
    "Software\\Classes\\CLSID\\{B87BEB7B-8D29-423F-AE4D-6582C10175AC}\\InprocServer32";
constexpr char kSavedServerValue[] = "SimulatedDriverSavedServer";
constexpr char kSavedModelValue[] = "SimulatedDriverSavedThreadingModel";

bool ReadString(HKEY key, const char* name, std::string* value) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  std::vector<char> buffer(size + 1, '\0');
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS) {
    return false;
  }
  value->assign(buffer.data());
  return true;
}

LONG WriteString(HKEY key, const char* name, const std::string& value) {
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1));
}

}  // namespace

HRESULT InstallInPlaceOfRenderer(const std::string& modulePath) {
  OwnedRegKey key;
  LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kServerKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                                key.put(), nullptr);
  if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);

  std::string saved;
  if (!ReadString(key.get(), kSavedServerValue, &saved)) {
    std::string current;
    std::string model;
    ReadString(key.get(), nullptr, &current);
    ReadString(key.get(), "ThreadingModel", &model);
    // Registering twice must not save our own path as the platform's.
    if (current != modulePath) {
      WriteString(key.get(), kSavedServerValue, current);
      WriteString(key.get(), kSavedModelValue, model);
    }
  }
  status = WriteString(key.get(), nullptr, modulePath);
  if (status == ERROR_SUCCESS) status = WriteString(key.get(), "ThreadingModel", "Both");
  return HRESULT_FROM_WIN32(status);
}

HRESULT RestorePlatformRenderer() {
  OwnedRegKey key;
  LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServerKey, 0, KEY_READ | KEY_WRITE, key.put());
  if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
  std::string server;
  if (!ReadString(key.get(), kSavedServerValue, &server)) return S_FALSE;  // nothing of ours to undo
  std::string model;
  ReadString(key.get(), kSavedModelValue, &model);
  status = WriteString(key.get(), nullptr, server);
  if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
  if (!model.empty()) WriteString(key.get(), "ThreadingModel", model);
  RegDeleteValueA(key.get(), kSavedServerValue);
  RegDeleteValueA(key.get(), kSavedModelValue);
  return S_OK;
}
