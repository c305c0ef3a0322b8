#include "filterbase/media_type.h"

#include <cstring>

HRESULT CopyMediaTypeFields(AM_MEDIA_TYPE& to, const AM_MEDIA_TYPE& from) {
  to = from;
  to.pbFormat = nullptr;
  to.cbFormat = 0;
  if (from.cbFormat && from.pbFormat) {
    to.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(from.cbFormat));
    if (!to.pbFormat) {
      to.pUnk = nullptr;
      return E_OUTOFMEMORY;
    }
    std::memcpy(to.pbFormat, from.pbFormat, from.cbFormat);
    to.cbFormat = from.cbFormat;
  }
  if (to.pUnk) to.pUnk->AddRef();
  return S_OK;
}

void ClearMediaType(AM_MEDIA_TYPE& mt) {
  CoTaskMemFree(mt.pbFormat);
  if (mt.pUnk) mt.pUnk->Release();
  std::memset(&mt, 0, sizeof mt);
}
