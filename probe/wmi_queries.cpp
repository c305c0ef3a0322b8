#include "probe/wmi_queries.h"

#include <memory>
#include <vector>

#include "probe/wmi_bounded.h"
#include "probe/wmi_session.h"
#include "probe/wmi_text.h"

// Each operation reads into a result it shares with its worker and copies
// it out only when the worker answered in time; a late worker then writes
// into a result nobody reads.

namespace {

// The text `compose` makes of the first row of `wql`; empty when WMI fails,
// has no row or lacks a property, and when it does not answer in time.
using RowText = std::string (*)(WmiQuery& query);

std::string FirstRowText(const wchar_t* wql, RowText compose) {
  auto result = std::make_shared<std::string>();
  const bool answered = RunBoundedWmi([result, wql, compose](HANDLE progress) {
    WmiQuery query(progress);
    if (!query.Run(wql) || !query.NextRow()) return !query.TimedOut();
    *result = compose(query);
    return true;
  });
  return answered ? *result : std::string();
}

}  // namespace

void WmiGetOsName(std::string* osName) {
  *osName = FirstRowText(L"SELECT Caption, CSDVersion FROM Win32_OperatingSystem", [](WmiQuery& query) {
    WmiValue caption;
    WmiValue servicePack;
    if (!query.Read(L"Caption", &caption) || !query.Read(L"CSDVersion", &servicePack)) return std::string();
    return ComposeOsName(caption, servicePack);
  });
}

void WmiGetCpuName(std::string* cpuName) {
  *cpuName = FirstRowText(L"SELECT Name, MaxClockSpeed FROM Win32_Processor", [](WmiQuery& query) {
    WmiValue name;
    WmiValue clock;
    if (!query.Read(L"Name", &name) || !query.Read(L"MaxClockSpeed", &clock)) return std::string();
    return ComposeCpuName(WmiTextToCp932(name.text), WmiTextToCp932(clock.text));
  });
}

void WmiGetTotalPhysicalMemory(std::string* memoryText) {
  *memoryText = FirstRowText(L"SELECT TotalPhysicalMemory FROM Win32_ComputerSystem", [](WmiQuery& query) {
    WmiValue total;
    if (!query.Read(L"TotalPhysicalMemory", &total)) return std::string();
    return ComposeTotalMemoryText(WmiTextToCp932(total.text));
  });
}

void WmiGetInstalledMemory(double* bytes) {
  *bytes = 0.0;
  auto result = std::make_shared<double>(0.0);
  const bool answered = RunBoundedWmi([result](HANDLE progress) {
    WmiQuery query(progress);
    if (!query.Run(L"SELECT Capacity FROM Win32_PhysicalMemory")) return true;
    while (query.NextRow()) {
      WmiValue capacity;
      // A failing row ends the sum; the modules before it still count.
      if (!query.Read(L"Capacity", &capacity)) return true;
      *result += ParseCapacity(WmiTextToCp932(capacity.text));
    }
    // A module that never came would make the sum too small without a word.
    return !query.TimedOut();
  });
  if (answered) *bytes = *result;
}

namespace {

// Every query of the video controllers makes Wine (and the platform) walk
// the adapters through the graphics stack, which costs about as much as the
// rest of the start handler together. The find reads the names in the same
// pass and keeps them for the one name read that follows it. Only callers
// touch what is kept, never a worker, so a late worker cannot change it.
struct ControllerNames {
  bool kept = false;
  std::vector<std::string> names;
};

ControllerNames& KeptControllerNames() {
  static ControllerNames kept;
  return kept;
}

struct FoundController {
  int position = 0;
  ControllerNames names;
};

}  // namespace

void WmiGetVideoControllerName(int position, std::string* name) {
  name->clear();
  ControllerNames& kept = KeptControllerNames();
  if (kept.kept) {
    kept.kept = false;
    if (position >= 0 && static_cast<size_t>(position) < kept.names.size()) *name = kept.names[position];
    kept.names.clear();
    return;
  }
  if (position < 0) return;
  auto result = std::make_shared<std::string>();
  const bool answered = RunBoundedWmi([result, position](HANDLE progress) {
    WmiQuery query(progress);
    if (!query.Run(L"SELECT Name FROM Win32_VideoController")) return true;
    for (int row = 0; query.NextRow(); ++row) {
      WmiValue value;
      if (!query.Read(L"Name", &value)) return true;
      if (row == position) {
        *result = WmiTextToCp932(value.text);
        return true;
      }
    }
    return !query.TimedOut();
  });
  if (answered) name->swap(*result);
}

void WmiFindVideoController(const std::string& pnpDeviceId, int* position) {
  *position = 0;
  ControllerNames& kept = KeptControllerNames();
  kept = ControllerNames();
  auto result = std::make_shared<FoundController>();
  const bool answered = RunBoundedWmi([result, pnpDeviceId](HANDLE progress) {
    WmiQuery query(progress);
    if (!query.Run(L"SELECT PNPDeviceID, Name FROM Win32_VideoController")) return true;
    bool found = false;
    std::vector<std::string> names;
    for (int row = 0; query.NextRow(); ++row) {
      WmiValue id;
      WmiValue controllerName;
      if (!query.Read(L"PNPDeviceID", &id)) return true;
      // A controller without an ID matches nothing but keeps its place, so
      // the position stays valid for WmiGetVideoControllerName.
      if (!found && PnpRowMatches(pnpDeviceId, id)) {
        result->position = row;
        found = true;
      }
      // A name that cannot be read leaves the next name read to ask again.
      if (!query.Read(L"Name", &controllerName)) return true;
      names.push_back(WmiTextToCp932(controllerName.text));
    }
    if (query.TimedOut()) return false;
    result->names.names.swap(names);
    result->names.kept = true;
    return true;
  });
  if (!answered) return;
  *position = result->position;
  kept = std::move(result->names);
}
