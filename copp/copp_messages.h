#pragma once

#include <windows.h>

#include <cstdint>

// One authenticated status request on the open session. On entry *statusLength
// is the size of `status`; on success it is the number of bytes copied.
HRESULT CoppStatusRequest(const GUID& requestId, const void* requestData, uint32_t requestLength,
                          void* status, uint32_t* statusLength);

// One signed command on the open session.
HRESULT CoppCommand(const GUID& commandId, const void* commandData, uint32_t commandLength);
