#include "tests/fuzz/fuzz_target.h"

namespace {

const FuzzTarget* const kTargets[] = {&kCertificateTarget,  &kStatusTarget,         &kWmiTextTarget,
                                      &kPciIdsTarget,       &kRegistryMemoryTarget, &kDibTarget,
                                      &kVersionBlockTarget, &kGuardCheckTarget};

}  // namespace

const FuzzTarget* const* AllFuzzTargets(size_t* count) {
  *count = sizeof(kTargets) / sizeof(kTargets[0]);
  return kTargets;
}

size_t FullRunTargetCount() { return sizeof(kTargets) / sizeof(kTargets[0]) - 1; }
