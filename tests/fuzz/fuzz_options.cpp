#include "tests/fuzz/fuzz_options.h"

#include <cstdlib>
#include <cstring>

namespace {

bool ParseNumber(const char* text, uint64_t* value) {
  if (!text || !*text) return false;
  char* end = nullptr;
  const unsigned long long parsed = std::strtoull(text, &end, 0);
  if (*end) return false;
  *value = parsed;
  return true;
}

}  // namespace

bool ParseFuzzOptions(int argc, char** argv, FuzzOptions* options, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    const char* name = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    bool known = true;
    bool numberOk = true;
    if (std::strcmp(name, "--child") == 0) {
      options->child = true;
      continue;
    }
    if (std::strcmp(name, "--selftest") == 0) {
      options->selfTest = true;
      continue;
    }
    if (std::strcmp(name, "--cases") == 0) {
      numberOk = ParseNumber(value, &options->cases);
    } else if (std::strcmp(name, "--seed") == 0) {
      numberOk = ParseNumber(value, &options->seed);
    } else if (std::strcmp(name, "--first") == 0) {
      numberOk = ParseNumber(value, &options->first);
    } else if (std::strcmp(name, "--target") == 0 && value) {
      options->target = value;
    } else if (std::strcmp(name, "--out") == 0 && value) {
      options->out = value;
    } else if (std::strcmp(name, "--slot") == 0 && value) {
      options->slot = value;
    } else {
      known = false;
    }
    if (!known || !numberOk) {
      *error = std::string("bad argument: ") + name + (value && known ? std::string(" ") + value : "");
      return false;
    }
    ++i;
  }
  return true;
}
