#pragma once

#include <dshow.h>

// Deep copy; `to` must hold no format block of its own. The copy holds its
// own reference on pUnk, which ClearMediaType gives back.
HRESULT CopyMediaTypeFields(AM_MEDIA_TYPE& to, const AM_MEDIA_TYPE& from);

// Frees the format block and the held interface, leaving `mt` zeroed.
void ClearMediaType(AM_MEDIA_TYPE& mt);
