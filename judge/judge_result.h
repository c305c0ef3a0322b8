#pragma once

#include <cstdint>

// Verdict flags of one display check, each 0 or 1. The flow only sets
// flags; the caller zeroes the record before every run.
struct JudgeResult {
  int32_t displayOk;
  int32_t displayDownscaled;
  int32_t displayNg;
  int32_t analogVgaOutput;
  int32_t ngOverlay;       // factor 6
  int32_t ngCopp;          // factor 7
  int32_t ngHdcp;          // factor 9
  int32_t ngCgmsa;         // factor 11
  int32_t retryFromStart;  // only together with ngCopp
};
static_assert(sizeof(JudgeResult) == 36, "JudgeResult is nine 32-bit flags");
