#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct CatalogueEntry {
  int id;
  int width;
  int height;
};

const CatalogueEntry kCatalogue[] = {
    {226, 940, 450}, {237, 940, 450}, {235, 500, 450}, {230, 210, 160}, {232, 200, 144},
    {233, 250, 160}, {240, 40, 160},  {241, 160, 144}, {249, 210, 160}, {250, 210, 160},
    {238, 40, 160},  {239, 200, 144}, {242, 50, 50},   {243, 50, 50},   {244, 50, 50},
    {245, 136, 50},  {246, 480, 60},  {247, 480, 60},  {248, 480, 60},
};

struct Resource {
  const BYTE* data = nullptr;
  DWORD size = 0;
};

Resource FindBitmap(int id) {
  const HMODULE module = GetModuleHandleA(nullptr);
  const HRSRC info = FindResourceExA(module, reinterpret_cast<LPCSTR>(RT_BITMAP), MAKEINTRESOURCEA(id),
                                     MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
  if (!info) return {};
  return {static_cast<const BYTE*>(LockResource(LoadResource(module, info))), SizeofResource(module, info)};
}

TEST(PictureCatalogueTest, EveryBitmapHasItsSizeAndAFull8BitTable) {
  for (const CatalogueEntry& entry : kCatalogue) {
    const Resource resource = FindBitmap(entry.id);
    ASSERT_NE(resource.data, nullptr) << entry.id;
    BITMAPINFOHEADER header;
    ASSERT_GE(resource.size, sizeof(header)) << entry.id;
    std::memcpy(&header, resource.data, sizeof(header));
    EXPECT_EQ(header.biSize, 40u) << entry.id;
    EXPECT_EQ(header.biWidth, entry.width) << entry.id;
    EXPECT_EQ(header.biHeight, entry.height) << entry.id;
    EXPECT_EQ(header.biPlanes, 1) << entry.id;
    EXPECT_EQ(header.biBitCount, 8) << entry.id;
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB)) << entry.id;
    EXPECT_EQ(header.biClrUsed, 0u) << entry.id;
    const DWORD stride = (entry.width + 3) / 4 * 4;
    EXPECT_EQ(resource.size, 40u + 1024u + stride * entry.height) << entry.id;
  }
}

TEST(PictureCatalogueTest, EveryPictureUsesTheStartPagePalette) {
  const Resource startPage = FindBitmap(226);
  ASSERT_NE(startPage.data, nullptr);
  for (const CatalogueEntry& entry : kCatalogue) {
    const Resource resource = FindBitmap(entry.id);
    ASSERT_NE(resource.data, nullptr) << entry.id;
    EXPECT_EQ(std::memcmp(resource.data + 40, startPage.data + 40, 1024), 0) << entry.id;
  }
}

TEST(PictureCatalogueTest, ButtonStripsAreFourLooksOfOneButton) {
  // The stacked looks differ: a strip of four copies would hide the hover.
  for (int id : {230, 232, 233, 240, 241, 249, 250, 238, 239}) {
    const Resource resource = FindBitmap(id);
    ASSERT_NE(resource.data, nullptr) << id;
    BITMAPINFOHEADER header;
    std::memcpy(&header, resource.data, sizeof(header));
    const size_t stride = (header.biWidth + 3) / 4 * 4;
    const size_t look = stride * (header.biHeight / 4);
    const BYTE* pixels = resource.data + 40 + 1024;
    for (int a = 0; a < 4; ++a) {
      for (int b = a + 1; b < 4; ++b) {
        EXPECT_NE(std::memcmp(pixels + a * look, pixels + b * look, look), 0) << id << ": looks " << a << "," << b;
      }
    }
  }
}

}  // namespace
