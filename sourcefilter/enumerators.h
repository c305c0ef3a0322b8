#pragma once

#include <dshow.h>

// Enumerates the pin's single media type; starts with one reference that
// the caller owns.
HRESULT CreateBallTypeEnum(ULONG position, IEnumMediaTypes** out);
