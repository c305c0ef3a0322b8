#pragma once

#include <windows.h>
#include <dshow.h>

// Deep copy and release of AM_MEDIA_TYPE, whose format block lives in COM
// task memory and must be owned by exactly one holder.
HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE* source);
void FreeMediaTypeContents(AM_MEDIA_TYPE* mediaType);
