#pragma once

#include "judge/display_check_record.h"
#include "judge/judge_result.h"

// Writes every question with its answer to the log; changes nothing.
void ListJudgeFactors(const DisplayCheckRecord* record);

// The decision flow: sets verdict flags in result (never clears one).
void DoJudge2(const DisplayCheckRecord* record, JudgeResult* result);
