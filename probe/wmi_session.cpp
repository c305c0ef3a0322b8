#include "probe/wmi_session.h"

#include <atomic>

#include "handles/owner.h"

namespace {

HRESULT RealExecQuery(IWbemServices* services, BSTR language, BSTR query, long flags,
                      IEnumWbemClassObject** rows) {
  return services->ExecQuery(language, query, flags, nullptr, rows);
}

// Read on whichever thread runs a query, set by a test on its own.
std::atomic<WmiExecQuery> g_execQuery{&RealExecQuery};

}  // namespace

void SetWmiExecQuery(WmiExecQuery execQuery) { g_execQuery.store(execQuery ? execQuery : &RealExecQuery); }

WmiQuery::~WmiQuery() {
  // Rows before the enumerator, the enumerator before its services proxy.
  row_.Reset();
  rows_.Reset();
  services_.Reset();
  locator_.Reset();
}

void WmiQuery::ReportProgress() const {
  if (progress_) SetEvent(progress_);
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

  // Without the flag a connection to a service that is still starting may
  // wait for good; with it WMI gives up on its own after two minutes.
  OwnedBstr resource(SysAllocString(L"\\\\.\\root\\CIMV2"));
  hr = locator_->ConnectServer(resource.get(), nullptr, nullptr, nullptr, WBEM_FLAG_CONNECT_USE_MAX_WAIT,
                               nullptr, nullptr, services_.ReleaseAndGetAddressOf());
  if (FAILED(hr) || !services_) return false;
  ReportProgress();

  hr = CoSetProxyBlanket(services_.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                         RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
  if (FAILED(hr)) return false;

  // Semisynchronous: the call returns at once and each row is waited for,
  // with a bound, in NextRow.
  OwnedBstr language(SysAllocString(L"WQL"));
  OwnedBstr query(SysAllocString(wql));
  hr = g_execQuery.load()(services_.Get(), language.get(), query.get(),
                          WBEM_FLAG_RETURN_IMMEDIATELY | WBEM_FLAG_FORWARD_ONLY,
                          rows_.ReleaseAndGetAddressOf());
  if (FAILED(hr) || !rows_) return false;
  ReportProgress();
  return true;
}

bool WmiQuery::NextRow() {
  if (!rows_) return false;
  ULONG returned = 0;
  const HRESULT hr =
      rows_->Next(static_cast<long>(kWmiStepBoundMs), 1, row_.ReleaseAndGetAddressOf(), &returned);
  // WBEM_S_TIMEDOUT is a success code that carries no row.
  if (hr == WBEM_S_TIMEDOUT) {
    timedOut_ = true;
    return false;
  }
  ReportProgress();
  return hr == WBEM_S_NO_ERROR && returned == 1 && row_;
}

bool WmiQuery::Read(const wchar_t* property, WmiValue* value) {
  if (!row_) return false;
  OwnedVariant raw;
  if (FAILED(row_->Get(property, 0, raw.put(), nullptr, nullptr))) return false;
  *value = WmiValueFromVariant(raw.get());
  return true;
}
