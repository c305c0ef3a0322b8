#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/guarded_buffer.h"
#include "tests/ui/widgets/test_dialog_window.h"
#include "ui/widgets/dib_bitmap.h"

namespace {

// The header bytes exactly as the fuzzer (seed 1) gave them; the table and
// pixels behind are a fixed pattern of the same length.
std::vector<BYTE> DibOf(const char* headerHex, size_t size) {
  std::vector<BYTE> dib(size);
  for (size_t i = 0; i < size; ++i) dib[i] = static_cast<BYTE>(i * 37 + 11);
  for (size_t i = 0; headerHex[2 * i]; ++i)
    dib[i] = static_cast<BYTE>(std::stoi(std::string(headerHex + 2 * i, 2), nullptr, 16));
  return dib;
}

// A colour count with its top bit set went through as a negative int: the
// bound let it pass, the table size wrapped to a few bytes, and the palette
// came out with entries never filled from the table.
TEST(DibPaletteRegression, ColourCountsWithTheTopBitSetMakeNoPalette) {
  struct Row {
    const char* name;
    const char* header;
    size_t size;
  };
  const Row rows[] = {
      {"0x80000001 colours (case 30)",
       "280000001e000000e8ffffff01000700000000000080000000000000000000000100008000000000", 716},
      {"0x80000000 colours, 41-byte header (case 140)",
       "2900000027000000edffffff01000200000000000000000000000000000000000000008000000000", 265},
      {"0xC0000040 colours: 64 entries of nothing",
       "2800000008000000080000000100080000000000000000000000000000000000400000c000000000", 40 + 1024 + 64},
  };
  for (const Row& row : rows) {
    const std::vector<BYTE> dib = DibOf(row.header, row.size);
    for (GuardedBuffer::Placement placement : {GuardedBuffer::kAtEnd, GuardedBuffer::kAtStart}) {
      SCOPED_TRACE(row.name);
      GuardedBuffer buffer(dib.size());
      const auto* header =
          reinterpret_cast<const BITMAPINFOHEADER*>(buffer.Place(dib.data(), dib.size(), placement));
      OwnedPalette palette;
      EXPECT_FALSE(CreatePaletteFromDib(header, dib.size(), &palette));
      EXPECT_FALSE(palette);
    }
  }
}

TEST(DibPaletteRegression, AFullTableAgainstTheGuardPageStillMakesItsPalette) {
  const std::vector<BYTE> dib =
      DibOf("28000000080000000800000001000800000000000000000000000000000000000001000000000000", 40 + 1024);
  GuardedBuffer buffer(dib.size());
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(buffer.Place(dib.data(), dib.size()));
  OwnedPalette palette;
  ASSERT_TRUE(CreatePaletteFromDib(header, dib.size(), &palette));
  PALETTEENTRY last = {};
  ASSERT_EQ(1u, GetPaletteEntries(palette.get(), 255, 1, &last));
  const BYTE* entry = dib.data() + 40 + 4 * 255;  // blue, green, red, reserved
  EXPECT_EQ(entry[2], last.peRed);
  EXPECT_EQ(entry[1], last.peGreen);
  EXPECT_EQ(entry[0], last.peBlue);
}

// GDI reads min(biClrUsed, 256) table entries while the count here takes the
// field's low 16 bits: with high bits set the table read ran past the DIB.
TEST(DibBitmapRegression, TheTableGdiReadsMustFitAsWellAsTheOneCountedHere) {
  struct Row {
    const char* name;
    std::vector<BYTE> dib;
  };
  // 7 x -2 at 4 bits, 0x36E7000C colours: 12 entries counted, 16 read (case 5050).
  const char* const found =
      "2800000007000000feffffff01000400000000000000000000000000000000000c00e73600000000fa1b183d43a85f0ce2afd7"
      "0"
      "1db363e8003b5fc216c8407c65409f824fcc91bde36394b54b017a8357713ee3cbc8d13dd3bb7279699d7b6a1";
  // 4 x 4 at 8 bits, 0x00010008 colours: 8 entries counted, 256 read.
  const char* const eight =
      "28000000040000000400000001000800000000000000000000000000000000000800010000000000";
  const Row rows[] = {{"four bits", DibOf(found, 96)}, {"eight bits", DibOf(eight, 40 + 32 + 16)}};
  TestDialogWindow window(WS_POPUP, 0, 100, 100);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(row.dib.data());
    EXPECT_FALSE(DibFitsIn(*header, row.dib.size(), DibColorCount(*header)));
    GuardedBuffer buffer(row.dib.size());
    const auto* placed =
        reinterpret_cast<const BITMAPINFOHEADER*>(buffer.Place(row.dib.data(), row.dib.size()));
    EXPECT_EQ(nullptr, LoadDibBitmap(placed, row.dib.size(), window.get()));
  }
  // With room for GDI's whole table the same header makes its bitmap.
  const std::vector<BYTE> roomy = DibOf(eight, 40 + 1024 + 16);
  GuardedBuffer buffer(roomy.size());
  const auto* placed = reinterpret_cast<const BITMAPINFOHEADER*>(buffer.Place(roomy.data(), roomy.size()));
  OwnedBitmap bitmap(LoadDibBitmap(placed, roomy.size(), window.get()));
  EXPECT_TRUE(bitmap);
}

}  // namespace
