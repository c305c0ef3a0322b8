// Prints whether this process runs under WOW64, for a script that runs it
// in a prefix of either width.
#include <cstdio>

#include "probe/os_probes.h"

int main() {
  const bool wow64 = IsRunningOnWow64();
  std::printf("%s\n", wow64 ? "wow64" : "native");
  return wow64 ? 0 : 1;
}
