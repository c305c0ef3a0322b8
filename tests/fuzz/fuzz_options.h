#pragma once

#include <cstdint>
#include <string>

// The command line of both the supervisor and its children.
struct FuzzOptions {
  uint64_t cases = 10000;
  uint64_t seed = 1;
  uint64_t first = 0;
  std::string target = "all";
  std::string out = ".";
  // Runs the guard check and succeeds only when each of its reads faulted.
  bool selfTest = false;
  // Set only on the command line the supervisor gives a child.
  bool child = false;
  std::string slot;
};

// False, with the reason in `error`, for an argument it does not know.
bool ParseFuzzOptions(int argc, char** argv, FuzzOptions* options, std::string* error);

int RunFuzzChild(const FuzzOptions& options);
int RunFuzzSupervisor(const FuzzOptions& options);

// The exit code of a child that stopped on a fault it recorded.
constexpr unsigned kFuzzFaultExit = 0xFA17;
