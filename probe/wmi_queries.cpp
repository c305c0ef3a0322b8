#include "probe/wmi_queries.h"

#include <vector>

#include "probe/wmi_session.h"
#include "probe/wmi_text.h"

void WmiGetOsName(std::string* osName) {
  osName->clear();
  WmiQuery query;
  if (!query.Run(L"SELECT Caption, CSDVersion FROM Win32_OperatingSystem") || !query.NextRow()) return;
  WmiValue caption;
  WmiValue servicePack;
  if (!query.Read(L"Caption", &caption) || !query.Read(L"CSDVersion", &servicePack)) return;
  *osName = ComposeOsName(caption, servicePack);
}

void WmiGetCpuName(std::string* cpuName) {
  cpuName->clear();
  WmiQuery query;
  if (!query.Run(L"SELECT Name, MaxClockSpeed FROM Win32_Processor") || !query.NextRow()) return;
  WmiValue name;
  WmiValue clock;
  if (!query.Read(L"Name", &name) || !query.Read(L"MaxClockSpeed", &clock)) return;
  *cpuName = ComposeCpuName(WmiTextToCp932(name.text), WmiTextToCp932(clock.text));
}

void WmiGetTotalPhysicalMemory(std::string* memoryText) {
  memoryText->clear();
  WmiQuery query;
  if (!query.Run(L"SELECT TotalPhysicalMemory FROM Win32_ComputerSystem") || !query.NextRow()) return;
  WmiValue total;
  if (!query.Read(L"TotalPhysicalMemory", &total)) return;
  *memoryText = ComposeTotalMemoryText(WmiTextToCp932(total.text));
}

void WmiGetInstalledMemory(double* bytes) {
  *bytes = 0.0;
  WmiQuery query;
  if (!query.Run(L"SELECT Capacity FROM Win32_PhysicalMemory")) return;
  while (query.NextRow()) {
    WmiValue capacity;
    // A failing row ends the sum; the modules before it still count.
    if (!query.Read(L"Capacity", &capacity)) return;
    *bytes += ParseCapacity(WmiTextToCp932(capacity.text));
  }
}

namespace {

// Every query of the video controllers makes Wine (and the platform) walk
// the adapters through the graphics stack, which costs about as much as the
// rest of the start handler together. The find reads the names in the same
// pass and keeps them for the one name read that follows it.
struct ControllerNames {
  bool kept = false;
  std::vector<std::string> names;
};

ControllerNames& KeptControllerNames() {
  static ControllerNames kept;
  return kept;
}

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
  WmiQuery query;
  if (!query.Run(L"SELECT Name FROM Win32_VideoController")) return;
  for (int row = 0; query.NextRow(); ++row) {
    WmiValue value;
    if (!query.Read(L"Name", &value)) return;
    if (row == position) {
      *name = WmiTextToCp932(value.text);
      return;
    }
  }
}

void WmiFindVideoController(const std::string& pnpDeviceId, int* position) {
  *position = 0;
  ControllerNames& kept = KeptControllerNames();
  kept = ControllerNames();
  WmiQuery query;
  if (!query.Run(L"SELECT PNPDeviceID, Name FROM Win32_VideoController")) return;
  bool found = false;
  std::vector<std::string> names;
  for (int row = 0; query.NextRow(); ++row) {
    WmiValue id;
    WmiValue controllerName;
    if (!query.Read(L"PNPDeviceID", &id)) return;
    // A controller without an ID matches nothing but keeps its place, so the
    // position stays valid for WmiGetVideoControllerName.
    if (!found && PnpRowMatches(pnpDeviceId, id)) {
      *position = row;
      found = true;
    }
    // A name that cannot be read leaves the next name read to ask again.
    if (!query.Read(L"Name", &controllerName)) return;
    names.push_back(WmiTextToCp932(controllerName.text));
  }
  kept.names.swap(names);
  kept.kept = true;
}
