#include "sourcefilter/ball_media_type.h"

#include <cstring>

HRESULT FillBallMediaType(AM_MEDIA_TYPE& mt) {
  std::memset(&mt, 0, sizeof mt);
  auto* info = static_cast<VIDEOINFOHEADER*>(CoTaskMemAlloc(sizeof(VIDEOINFOHEADER)));
  if (!info) return E_OUTOFMEMORY;
  std::memset(info, 0, sizeof *info);
  info->AvgTimePerFrame = kBallFrameTime;
  info->dwBitRate = static_cast<DWORD>(kBallImageSize * 8ull * 10000000ull / kBallFrameTime);
  info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info->bmiHeader.biWidth = kBallWidth;
  info->bmiHeader.biHeight = kBallHeight;
  info->bmiHeader.biPlanes = 1;
  info->bmiHeader.biBitCount = 32;
  info->bmiHeader.biCompression = BI_RGB;
  info->bmiHeader.biSizeImage = kBallImageSize;

  mt.majortype = MEDIATYPE_Video;
  mt.subtype = MEDIASUBTYPE_RGB32;
  mt.bFixedSizeSamples = TRUE;
  mt.bTemporalCompression = FALSE;
  mt.lSampleSize = kBallImageSize;
  mt.formattype = FORMAT_VideoInfo;
  mt.cbFormat = sizeof(VIDEOINFOHEADER);
  mt.pbFormat = reinterpret_cast<BYTE*>(info);
  return S_OK;
}

bool IsBallMediaType(const AM_MEDIA_TYPE& mt) {
  if (mt.majortype != MEDIATYPE_Video || mt.subtype != MEDIASUBTYPE_RGB32) return false;
  if (mt.formattype != FORMAT_VideoInfo || !mt.pbFormat || mt.cbFormat < sizeof(VIDEOINFOHEADER)) {
    return false;
  }
  const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(mt.pbFormat);
  const BITMAPINFOHEADER& bmi = info->bmiHeader;
  return bmi.biWidth == kBallWidth && bmi.biHeight == kBallHeight && bmi.biBitCount == 32 &&
         bmi.biCompression == BI_RGB;
}

AM_MEDIA_TYPE* CreateBallMediaType() {
  auto* mt = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
  if (!mt) return nullptr;
  if (FAILED(FillBallMediaType(*mt))) {
    CoTaskMemFree(mt);
    return nullptr;
  }
  return mt;
}
