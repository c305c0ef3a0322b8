#include "filterbase/media_type.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/filterbase/counting_objects.h"

namespace {

AM_MEDIA_TYPE WithFormat(const BYTE* bytes, ULONG size) {
  AM_MEDIA_TYPE mt{};
  mt.majortype = MEDIATYPE_Video;
  mt.subtype = MEDIASUBTYPE_RGB32;
  mt.formattype = FORMAT_VideoInfo;
  mt.lSampleSize = 1234;
  mt.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(size));
  std::memcpy(mt.pbFormat, bytes, size);
  mt.cbFormat = size;
  return mt;
}

TEST(MediaTypeCopy, OwnsItsFormatBlockAndInterface) {
  const BYTE format[] = {1, 2, 3, 4, 5};
  CountingUnknown held;
  AM_MEDIA_TYPE original = WithFormat(format, sizeof format);
  original.pUnk = &held;
  held.AddRef();

  AM_MEDIA_TYPE copy{};
  ASSERT_EQ(S_OK, CopyMediaTypeFields(copy, original));
  EXPECT_EQ(3u, held.refs);
  ClearMediaType(original);
  EXPECT_EQ(2u, held.refs);

  EXPECT_EQ(MEDIATYPE_Video, copy.majortype);
  EXPECT_EQ(MEDIASUBTYPE_RGB32, copy.subtype);
  EXPECT_EQ(1234u, copy.lSampleSize);
  EXPECT_EQ(&held, copy.pUnk);
  ASSERT_EQ(sizeof format, copy.cbFormat);
  EXPECT_EQ(0, std::memcmp(format, copy.pbFormat, sizeof format));
  ClearMediaType(copy);
  EXPECT_EQ(1u, held.refs);
}

TEST(MediaTypeCopy, KeepsNoFormatSizeWithoutABlock) {
  struct Row {
    const char* name;
    ULONG cbFormat;
  };
  const Row rows[] = {{"Empty", 0}, {"SizeWithoutBlock", 88}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    AM_MEDIA_TYPE original{};
    original.majortype = MEDIATYPE_Audio;
    original.cbFormat = row.cbFormat;
    AM_MEDIA_TYPE copy{};
    ASSERT_EQ(S_OK, CopyMediaTypeFields(copy, original));
    EXPECT_EQ(MEDIATYPE_Audio, copy.majortype);
    EXPECT_EQ(nullptr, copy.pbFormat);
    EXPECT_EQ(0u, copy.cbFormat);
    EXPECT_EQ(nullptr, copy.pUnk);
    ClearMediaType(copy);
  }
}

TEST(MediaTypeClear, LeavesEveryByteZero) {
  const BYTE format[] = {9, 8, 7};
  CountingUnknown held;
  AM_MEDIA_TYPE mt = WithFormat(format, sizeof format);
  mt.pUnk = &held;
  held.AddRef();
  ClearMediaType(mt);
  EXPECT_EQ(1u, held.refs);
  const BYTE zero[sizeof mt] = {};
  EXPECT_EQ(0, std::memcmp(zero, &mt, sizeof mt));
}

}  // namespace
