#include "probe/wmi_session.h"

#include "handles/owner.h"

WmiQuery::~WmiQuery() {
  // Rows before the enumerator, the enumerator before its services proxy.
  row_.Reset();
  rows_.Reset();
  services_.Reset();
  locator_.Reset();
}

bool WmiQuery::Run(const wchar_t* wql) {
  // Only the first call in a process can fix its COM security; every later
  // one answers RPC_E_TOO_LATE, which means the set-up is already in place.
  HRESULT hr = CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                                    RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
  if (FAILED(hr) && hr != RPC_E_TOO_LATE) return false;

  hr = CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_ALL, IID_IWbemLocator,
                        reinterpret_cast<void**>(locator_.ReleaseAndGetAddressOf()));
  if (FAILED(hr) || !locator_) return false;

  OwnedBstr resource(SysAllocString(L"\\\\.\\root\\CIMV2"));
  hr = locator_->ConnectServer(resource.get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                               services_.ReleaseAndGetAddressOf());
  if (FAILED(hr) || !services_) return false;

  hr = CoSetProxyBlanket(services_.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                         RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
  if (FAILED(hr)) return false;

  OwnedBstr language(SysAllocString(L"WQL"));
  OwnedBstr query(SysAllocString(wql));
  hr = services_->ExecQuery(language.get(), query.get(), WBEM_FLAG_FORWARD_ONLY, nullptr,
                            rows_.ReleaseAndGetAddressOf());
  return SUCCEEDED(hr) && rows_;
}

bool WmiQuery::NextRow() {
  if (!rows_) return false;
  ULONG returned = 0;
  HRESULT hr = rows_->Next(WBEM_INFINITE, 1, row_.ReleaseAndGetAddressOf(), &returned);
  return SUCCEEDED(hr) && returned == 1 && row_;
}

bool WmiQuery::Read(const wchar_t* property, WmiValue* value) {
  if (!row_) return false;
  OwnedVariant raw;
  if (FAILED(row_->Get(property, 0, raw.put(), nullptr, nullptr))) return false;
  *value = WmiValueFromVariant(raw.get());
  return true;
}
