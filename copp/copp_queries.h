#pragma once

#include <cstdint>

#include "copp/copp_result.h"

// Each query asks the driver one question on the open session: 0 with the
// answer (dwData) and its status flags, 4 when the driver asks for a retry
// from the start, 1 otherwise; on failure both outputs stay as they were.
CoppResult CoppGetBusType(uint32_t* value, uint32_t* statusFlags);
CoppResult CoppGetConnectorType(uint32_t* value, uint32_t* statusFlags);
CoppResult CoppGetProtectionTypes(uint32_t* value, uint32_t* statusFlags);
CoppResult CoppGetHdcpLocalLevel(uint32_t* value, uint32_t* statusFlags);
CoppResult CoppGetGlobalLevel(uint32_t* value, uint32_t* statusFlags);
CoppResult CoppGetCgmsaLocalLevel(uint32_t* value, uint32_t* statusFlags);
CoppResult CoppGetCgmsaGlobalLevel(uint32_t* value, uint32_t* statusFlags);

// Level commands; the level's name is logged before anything is sent.
CoppResult CoppSetHdcpLevel(uint32_t level);
CoppResult CoppSetCgmsaLevel(uint32_t level);
