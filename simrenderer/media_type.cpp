#include "simrenderer/media_type.h"

#include <cstring>

HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE* source) {
  *target = *source;
  target->pbFormat = nullptr;
  target->cbFormat = 0;
  target->pUnk = nullptr;
  if (source->cbFormat && source->pbFormat) {
    target->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(source->cbFormat));
    if (!target->pbFormat) return E_OUTOFMEMORY;
    memcpy(target->pbFormat, source->pbFormat, source->cbFormat);
    target->cbFormat = source->cbFormat;
  }
  return S_OK;
}

void FreeMediaTypeContents(AM_MEDIA_TYPE* mediaType) {
  if (mediaType->pbFormat) CoTaskMemFree(mediaType->pbFormat);
  if (mediaType->pUnk) mediaType->pUnk->Release();
  *mediaType = AM_MEDIA_TYPE{};
}
