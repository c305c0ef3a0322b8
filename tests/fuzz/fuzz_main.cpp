#include <cstdio>
#include <string>

#include "tests/fuzz/fuzz_options.h"

// solario_fuzz --cases N --seed S [--target NAME|all] [--first K] [--out DIR], or --selftest
int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  FuzzOptions options;
  std::string error;
  if (!ParseFuzzOptions(argc, argv, &options, &error)) {
    std::fprintf(stderr,
                 "%s\nusage: solario_fuzz --cases N --seed S [--target NAME|all] [--first K] [--out DIR]\n",
                 error.c_str());
    return 2;
  }
  return options.child ? RunFuzzChild(options) : RunFuzzSupervisor(options);
}
