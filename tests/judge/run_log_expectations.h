#pragma once

// What one display check run should log and collect, built from the
// driver's answers: shared by the run's tests and the program's.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "judge/display_check_record.h"
#include "judge/judge_result.h"
#include "tests/support/judge_flags.h"
// For JoinLines: a failing comparison of two logs shows both whole.
#include "tests/support/trace_capture.h"

using Lines = std::vector<std::string>;

std::string Hex8(uint32_t value);
std::string IdLine(uint32_t vendor, uint32_t device);
void Append(Lines* lines, const Lines& more);
Lines Concat(std::initializer_list<Lines> parts);

// The primary DirectDraw device's ids, asked of DirectDraw here rather than
// through the program's probe; false when DirectDraw answers nothing.
bool DirectDrawDeviceIds(uint32_t* vendor, uint32_t* device);

// The log up to the COPP test: header, DirectDraw and caller ids, overlay.
Lines RunHead(uint32_t callerVendor, uint32_t callerDevice);

// One query's line and the names of what it answered.
Lines Query(const char* what, uint32_t value, Lines names);

// The HDCP set test, with the local level read back after the set.
Lines HdcpSetTest(uint32_t localAfter, Lines localAfterNames);
// The CGMS-A set test; takes[n]: whether level n reads back as set.
Lines CgmsaSetTest(const bool takes[5]);
// The communication test and the collection of bus, connector and mask.
Lines CollectionHead(uint32_t bus, Lines busNames, uint32_t connector, Lines connectorNames, uint32_t mask,
                     Lines maskNames);

// A run on a connector that offers CGMS-A alone, up to `judgement`.
Lines CgmsaOnly(uint32_t bus, const char* busName, uint32_t connector, const char* connectorName,
                const bool takes[5], const Lines& judgement);

// The listing and the flow: tests/golden/judge_flow/<golden>.txt, whose
// bus answer reads NO on any other bus (the bus decides nothing).
Lines FlowTail(const std::string& golden, bool pciExpressBus = true);

DisplayCheckRecord ExpectedRecord(uint32_t vendor, uint32_t device, uint32_t bus, uint32_t connector,
                                  uint32_t mask, int hdcpSetOk = 0, int cgmsaLevelsOk = 0);
DisplayCheckRecord FailedCoppRecord(uint32_t vendor, uint32_t device, int retry);

std::string Describe(const JudgeResult& result);
