#include "sourcefilter/ball_media_type.h"

#include <gtest/gtest.h>

namespace {

TEST(BallMediaType, IsUncompressedRgb32At320By240) {
  AM_MEDIA_TYPE mt{};
  ASSERT_EQ(S_OK, FillBallMediaType(mt));
  EXPECT_EQ(MEDIATYPE_Video, mt.majortype);
  EXPECT_EQ(MEDIASUBTYPE_RGB32, mt.subtype);
  EXPECT_EQ(FORMAT_VideoInfo, mt.formattype);
  EXPECT_TRUE(mt.bFixedSizeSamples);
  EXPECT_EQ(320u * 240u * 4u, mt.lSampleSize);
  ASSERT_EQ(sizeof(VIDEOINFOHEADER), mt.cbFormat);
  const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(mt.pbFormat);
  EXPECT_EQ(320, info->bmiHeader.biWidth);
  EXPECT_EQ(240, info->bmiHeader.biHeight);
  EXPECT_EQ(32, info->bmiHeader.biBitCount);
  EXPECT_EQ(static_cast<DWORD>(BI_RGB), info->bmiHeader.biCompression);
  EXPECT_EQ(320u * 240u * 4u, info->bmiHeader.biSizeImage);
  EXPECT_EQ(400000, info->AvgTimePerFrame);
  EXPECT_TRUE(IsBallMediaType(mt));
  ClearMediaType(mt);
}

TEST(BallMediaType, RejectsEveryOtherFormat) {
  struct Row {
    const char* name;
    void (*spoil)(AM_MEDIA_TYPE&);
  };
  const Row rows[] = {
      {"Audio", [](AM_MEDIA_TYPE& mt) { mt.majortype = MEDIATYPE_Audio; }},
      {"Rgb24", [](AM_MEDIA_TYPE& mt) { mt.subtype = MEDIASUBTYPE_RGB24; }},
      {"VideoInfo2", [](AM_MEDIA_TYPE& mt) { mt.formattype = FORMAT_VideoInfo2; }},
      {"ShortFormat", [](AM_MEDIA_TYPE& mt) { mt.cbFormat = sizeof(VIDEOINFOHEADER) - 1; }},
      {"Wider",
       [](AM_MEDIA_TYPE& mt) { reinterpret_cast<VIDEOINFOHEADER*>(mt.pbFormat)->bmiHeader.biWidth = 640; }},
      {"TopDown",
       [](AM_MEDIA_TYPE& mt) { reinterpret_cast<VIDEOINFOHEADER*>(mt.pbFormat)->bmiHeader.biHeight = -240; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    AM_MEDIA_TYPE mt{};
    ASSERT_EQ(S_OK, FillBallMediaType(mt));
    row.spoil(mt);
    EXPECT_FALSE(IsBallMediaType(mt));
    ClearMediaType(mt);
  }
  AM_MEDIA_TYPE empty{};
  EXPECT_FALSE(IsBallMediaType(empty));
}

}  // namespace
