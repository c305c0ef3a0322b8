#pragma once

#include <cstdint>
#include <initializer_list>

#include "judge/judge_result.h"

// A verdict with the given flags set and every other one clear.
inline JudgeResult Flags(std::initializer_list<int32_t JudgeResult::*> set) {
  JudgeResult result{};
  for (auto field : set) result.*field = 1;
  return result;
}
