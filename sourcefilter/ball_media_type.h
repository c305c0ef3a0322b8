#pragma once

#include <dshow.h>

#include "filterbase/media_type.h"

// The one picture format the ball source offers: uncompressed RGB32,
// bottom-up, 320 x 240 at 25 frames a second.
constexpr LONG kBallWidth = 320;
constexpr LONG kBallHeight = 240;
constexpr DWORD kBallImageSize = kBallWidth * kBallHeight * 4;
constexpr REFERENCE_TIME kBallFrameTime = 400000;  // 100-ns units

// Fills `mt` with the ball format; its format block comes from CoTaskMemAlloc.
HRESULT FillBallMediaType(AM_MEDIA_TYPE& mt);

// Whether `mt` is exactly the ball format.
bool IsBallMediaType(const AM_MEDIA_TYPE& mt);

// A media type in task memory, as enumerators hand them out; null when out of memory.
AM_MEDIA_TYPE* CreateBallMediaType();
