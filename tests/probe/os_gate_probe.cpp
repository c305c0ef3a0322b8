// Prints the start-up gate's answer for the Windows version this process
// sees, so that a script can run it under each version Wine can pretend to be.
#include <cstdio>

#include "probe/os_probes.h"

int main() {
  OSVERSIONINFOEXA version{};
  version.dwOSVersionInfoSize = sizeof(version);
  GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&version));
  const bool supported = IsSupportedOs();
  std::printf("%s %lu.%lu type %u\n", supported ? "supported" : "refused", version.dwMajorVersion,
              version.dwMinorVersion, static_cast<unsigned>(version.wProductType));
  return supported ? 0 : 1;
}
