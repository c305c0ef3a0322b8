// Linked only into the test build of the program: the start handler's
// processor name and installed memory come from the environment when the
// test sets them, since WMI cannot be told what to answer, and so does
// whether it runs in a remote session.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "probe/os_probes.h"
#include "ui/environment_reads.h"

namespace {

bool ReadVariable(const char* name, std::string* value) {
  char text[512];
  const DWORD length = GetEnvironmentVariableA(name, text, sizeof(text));
  if (length == 0 || length >= sizeof(text)) return false;
  value->assign(text, length);
  return true;
}

void CpuName(std::string* name) {
  if (!ReadVariable("SOLARIO_TEST_CPU_NAME", name)) WmiEnvironmentReads().cpuName(name);
}

void InstalledMemory(double* bytes) {
  std::string megabytes;
  if (!ReadVariable("SOLARIO_TEST_MEMORY_MB", &megabytes)) return WmiEnvironmentReads().installedMemory(bytes);
  *bytes = std::atof(megabytes.c_str()) * 1048576.0;
}

EnvironmentReads g_testReads;

struct InstallTestReads {
  InstallTestReads() {
    g_testReads = WmiEnvironmentReads();
    g_testReads.cpuName = CpuName;
    g_testReads.installedMemory = InstalledMemory;
    SetEnvironmentReads(&g_testReads);
    // The program as a Remote Desktop session would run it.
    std::string remote;
    if (ReadVariable("SOLARIO_TEST_REMOTE_SESSION", &remote)) SetRemoteSessionProbe([] { return true; });
  }
} g_installTestReads;

}  // namespace
