#pragma once

#include <windows.h>

#include <cstdint>

#include "copp/own_part_fault.h"
#include "judge/display_check_record.h"
#include "judge/judge_result.h"

// The main dialog hands over its windows once: the run uses the main window
// as the owner of the renderer (and of its boxes) and draws into the video
// window, whose monitor is the one under test.
void SetDisplayCheckWindows(HWND mainWindow, HWND videoWindow);

// The wait after switching HDCP on, one second unless a test that is not
// about the wait shortens it; gives the previous value.
DWORD SetHdcpSettleMilliseconds(DWORD milliseconds);

// Runs one display check on the monitor under the main window and sets
// verdict flags in result. Returns 1 when the flags are a verdict, whatever
// the PC failed; 0 when a part of the program itself failed (see
// copp/own_part_fault.h), which is then given in ownPartFault: the flags
// say nothing about the PC and must not be shown as a verdict.
int RunDisplayCheck(JudgeResult* result, uint32_t vendorId, uint32_t deviceId,
                    OwnPartFault* ownPartFault = nullptr);

// The same run on a record the caller keeps (zero-filled here first), so
// tests can see what the run collected.
int RunDisplayCheckOnRecord(DisplayCheckRecord* record, JudgeResult* result, uint32_t vendorId,
                            uint32_t deviceId, OwnPartFault* ownPartFault = nullptr);

// The steps of one run, each on the run's record.
int CollectFromDD7(DisplayCheckRecord* record);
int TestDXOverlay(DisplayCheckRecord* record);
int CollectFromDX7(DisplayCheckRecord* record);
