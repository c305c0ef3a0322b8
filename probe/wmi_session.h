#pragma once

#include <windows.h>
#include <wbemidl.h>
#include <wrl/client.h>

#include "probe/wmi_text.h"

// One WQL query against the local root\CIMV2 namespace, from the security
// set-up to the last row. Every WMI operation opens its own and lets it go
// before returning; nothing is kept between operations.
class WmiQuery {
 public:
  WmiQuery() = default;
  ~WmiQuery();
  WmiQuery(const WmiQuery&) = delete;
  WmiQuery& operator=(const WmiQuery&) = delete;

  // Connects and runs the query (forward-only); false when any step fails.
  bool Run(const wchar_t* wql);
  // Moves to the next row, releasing the previous one; false at the end.
  bool NextRow();
  // Reads one property of the current row; false when Get fails.
  bool Read(const wchar_t* property, WmiValue* value);

 private:
  Microsoft::WRL::ComPtr<IWbemLocator> locator_;
  Microsoft::WRL::ComPtr<IWbemServices> services_;
  Microsoft::WRL::ComPtr<IEnumWbemClassObject> rows_;
  Microsoft::WRL::ComPtr<IWbemClassObject> row_;
};
