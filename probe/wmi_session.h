#pragma once

#include <windows.h>
#include <wbemidl.h>
#include <wrl/client.h>

#include "probe/wmi_text.h"

// How long one step of a WMI operation (the connection, the query, one row)
// may take before the operation counts as failed. It stays under the 5 s
// after which Windows marks a window that pumps no messages as not
// responding, so one stalled WMI never greys out the caller's window.
constexpr DWORD kWmiStepBoundMs = 4000;

// The call that sends a query to WMI, replaceable so that a test can stand
// in for a WMI that never answers. Arguments as IWbemServices::ExecQuery.
using WmiExecQuery = HRESULT (*)(IWbemServices* services, BSTR language, BSTR query, long flags,
                                 IEnumWbemClassObject** rows);
// Null puts the real IWbemServices::ExecQuery back.
void SetWmiExecQuery(WmiExecQuery execQuery);

// One WQL query against the local root\CIMV2 namespace, from the security
// set-up to the last row. Every WMI operation opens its own and lets it go
// before returning; nothing is kept between operations.
class WmiQuery {
 public:
  // `progress`, when given, is an event set each time WMI answers a step:
  // the connection, the query and each row (the end of the rows included).
  explicit WmiQuery(HANDLE progress = nullptr) : progress_(progress) {}
  ~WmiQuery();
  WmiQuery(const WmiQuery&) = delete;
  WmiQuery& operator=(const WmiQuery&) = delete;

  // Connects and runs the query (forward-only); false when any step fails.
  bool Run(const wchar_t* wql);
  // Moves to the next row, releasing the previous one; false at the end,
  // on a failure and when WMI let kWmiStepBoundMs pass without a row.
  bool NextRow();
  // Whether a row failed to come within kWmiStepBoundMs: the rows read so
  // far are then not the whole answer.
  bool TimedOut() const { return timedOut_; }
  // Reads one property of the current row; false when Get fails.
  bool Read(const wchar_t* property, WmiValue* value);

 private:
  void ReportProgress() const;

  HANDLE progress_ = nullptr;
  bool timedOut_ = false;
  Microsoft::WRL::ComPtr<IWbemLocator> locator_;
  Microsoft::WRL::ComPtr<IWbemServices> services_;
  Microsoft::WRL::ComPtr<IEnumWbemClassObject> rows_;
  Microsoft::WRL::ComPtr<IWbemClassObject> row_;
};
