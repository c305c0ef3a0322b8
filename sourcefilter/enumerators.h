#pragma once

#include <dshow.h>

// Enumerators over the filter's single pin and the pin's single media type.
// Both start with one reference that the caller owns.
HRESULT CreateSinglePinEnum(IPin* pin, ULONG position, IEnumPins** out);
HRESULT CreateBallTypeEnum(ULONG position, IEnumMediaTypes** out);
