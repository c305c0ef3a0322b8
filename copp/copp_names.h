#pragma once

#include <cstdint>

// Write the symbolic names of a driver answer to the judgement log; a value
// without a name writes nothing.
void TraceBusTypeName(uint32_t value);
void TraceConnectorTypeName(uint32_t value);
void TraceProtectionTypeNames(uint32_t value);
void TraceHdcpLevelName(uint32_t value);
void TraceCgmsaLevelName(uint32_t value);
