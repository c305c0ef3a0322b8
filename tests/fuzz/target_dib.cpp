#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "handles/message_box.h"
#include "tests/fuzz/fuzz_mutate.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/guarded_heap.h"
#include "ui/widgets/dib_bitmap.h"

namespace {

constexpr size_t kMaxDib = 96 * 1024;

GuardedBuffer* g_dib = nullptr;
HWND g_window = nullptr;
int g_boxes = 0;

int WINAPI CountBox(HWND, const char*, const char*, UINT) {
  ++g_boxes;
  return IDOK;
}

// Whether header, table and pixels lie inside `size`, in arithmetic that
// cannot wrap: every product is bounded before it is formed.
bool ReferenceFits(const BITMAPINFOHEADER& h, size_t size, uint64_t colorEntries) {
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size) return false;
  if (h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1 || h.biBitCount == 0) return false;
  if (h.biCompression != BI_RGB || colorEntries > 256) return false;
  // GDI's own count: the whole field up to 256, or the depth's full table.
  uint64_t gdiEntries = h.biBitCount <= 8 ? 1u << h.biBitCount : 0;
  if (h.biClrUsed) gdiEntries = h.biClrUsed < 256 ? h.biClrUsed : 256;
  const uint64_t bits = static_cast<uint64_t>(h.biWidth) * h.biBitCount;  // below 2^47
  const uint64_t stride = (bits + 31) / 32 * 4;
  const uint64_t rows =
      h.biHeight < 0 ? 0ull - static_cast<int64_t>(h.biHeight) : static_cast<uint64_t>(h.biHeight);
  const uint64_t room = size - h.biSize;
  if (4 * colorEntries > room || 4 * gdiEntries > room) return false;
  return stride <= (room - 4 * colorEntries) / rows;
}

uint32_t PickColorsUsed(FuzzRandom& random) {
  switch (random.Below(8)) {
    case 0:
    case 1:
    case 2:
      return 0;
    case 3:
      return 1 + random.Below(256);
    case 4:
      return 0x10000u * (1 + random.Below(0x7FFF)) + random.Below(300);
    case 5:
      return 0x80000000u + 0x10000u * random.Below(0x8000) + random.Below(300);
    default:
      return EdgeValue(random, 256);
  }
}

FuzzBytes MakeDib(FuzzRandom& random) {
  BITMAPINFOHEADER h = {};
  const DWORD sizes[] = {40, 40, 40, 40, 12, 39, 41, 64, 108, 124, EdgeValue(random, 40)};
  h.biSize = sizes[random.Below(11)];
  h.biWidth =
      random.OneIn(16) ? static_cast<LONG>(EdgeValue(random, 64)) : static_cast<LONG>(1 + random.Below(48));
  h.biHeight = random.OneIn(16) ? static_cast<LONG>(EdgeValue(random, 64))
                                : static_cast<LONG>(random.Between(-48, 48));
  h.biPlanes = random.OneIn(16) ? static_cast<WORD>(random.Below(3)) : 1;
  const WORD depths[] = {1, 4, 8, 8, 16, 24, 32, 0, 2, 7, 48, 64, static_cast<WORD>(random.Next())};
  h.biBitCount = depths[random.Below(13)];
  h.biCompression = random.OneIn(12) ? random.Below(7) : BI_RGB;
  h.biClrUsed = PickColorsUsed(random);
  if (random.OneIn(8)) h.biSizeImage = EdgeValue(random, 0);

  // Lay it out as the header claims, then let the size miss by a little.
  const uint64_t declared =
      h.biClrUsed ? (h.biClrUsed & 0xFFFF) : (h.biBitCount <= 8 ? 1u << h.biBitCount : 0);
  const uint64_t table = 4 * (declared > 300 ? 300 : declared);
  const uint64_t stride =
      ((static_cast<uint64_t>(h.biWidth > 0 ? h.biWidth : 1) * h.biBitCount + 31) / 32) * 4;
  const uint64_t rows = static_cast<uint64_t>(std::llabs(static_cast<long long>(h.biHeight)));
  uint64_t size = (h.biSize < 4096 ? h.biSize : 40) + table + (stride * rows < kMaxDib ? stride * rows : 0);
  if (random.OneIn(3)) size = static_cast<uint64_t>(static_cast<int64_t>(size) + random.Between(-8, 8));
  if (random.OneIn(16)) size = random.Below(160);
  if (size < sizeof(BITMAPINFOHEADER)) size = random.OneIn(4) ? size : sizeof(BITMAPINFOHEADER);
  if (size > kMaxDib) size = kMaxDib;
  FuzzBytes dib(static_cast<size_t>(size));
  random.Fill(dib.data(), dib.size());
  std::memcpy(dib.data(), &h, dib.size() < sizeof(h) ? dib.size() : sizeof(h));
  if (random.OneIn(6)) MutateBytes(&dib, random, {}, 1 + random.Below(3), kMaxDib);
  return dib;
}

void CheckPalette(FuzzCase& fuzzCase, const BITMAPINFOHEADER* dib, size_t size) {
  OwnedPalette palette;
  bool made = false;
  {
    GuardedHeapScope heap;
    made = CreatePaletteFromDib(dib, size, &palette);
  }
  if (size < sizeof(BITMAPINFOHEADER)) {
    if (made) fuzzCase.Break("a palette from %u bytes", static_cast<unsigned>(size));
    return;
  }
  const uint64_t count = dib->biClrUsed ? dib->biClrUsed : 256;
  const bool fits = count <= 256 && dib->biSize <= size && 4 * count <= size - dib->biSize;
  if (made != fits) {
    return fuzzCase.Break("palette of %u entries, header %u, %u bytes: made %d",
                          static_cast<unsigned>(dib->biClrUsed), static_cast<unsigned>(dib->biSize),
                          static_cast<unsigned>(size), made);
  }
  if (!made) return;
  PALETTEENTRY entries[257] = {};
  const UINT got = GetPaletteEntries(palette.get(), 0, 257, entries);
  if (got != count)
    return fuzzCase.Break("palette holds %u entries, the table %u", got, static_cast<unsigned>(count));
  const auto* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(dib) + dib->biSize);
  for (UINT i = 0; i < got; ++i) {
    if (entries[i].peRed != table[i].rgbRed || entries[i].peGreen != table[i].rgbGreen ||
        entries[i].peBlue != table[i].rgbBlue || entries[i].peFlags != 0) {
      return fuzzCase.Break("palette entry %u is not the table's", i);
    }
  }
}

void CheckBitmap(FuzzCase& fuzzCase, const BITMAPINFOHEADER* dib, size_t size) {
  const int colors = size >= sizeof(BITMAPINFOHEADER) ? DibColorCount(*dib) : 0;
  const bool fits = size >= sizeof(BITMAPINFOHEADER) && DibFitsIn(*dib, size, colors);
  if (size >= sizeof(BITMAPINFOHEADER) && fits != ReferenceFits(*dib, size, static_cast<uint64_t>(colors))) {
    return fuzzCase.Break("DibFitsIn says %d for %ldx%ld at %u bits, header %u, %d colours in %u bytes", fits,
                          static_cast<long>(dib->biWidth), static_cast<long>(dib->biHeight), dib->biBitCount,
                          static_cast<unsigned>(dib->biSize), colors, static_cast<unsigned>(size));
  }
  HBITMAP bitmap = nullptr;
  {
    GuardedHeapScope heap;
    bitmap = LoadDibBitmap(dib, size, g_window);
  }
  if (!bitmap) return;
  BITMAP info = {};
  GetObjectA(bitmap, sizeof(info), &info);
  DeleteObject(bitmap);
  if (!fits) return fuzzCase.Break("a bitmap was made of a DIB that does not fit");
  if (info.bmWidth != dib->biWidth || info.bmHeight != std::labs(dib->biHeight)) {
    fuzzCase.Break("bitmap of %ldx%ld from a %ldx%ld DIB", static_cast<long>(info.bmWidth),
                   static_cast<long>(info.bmHeight), static_cast<long>(dib->biWidth),
                   static_cast<long>(dib->biHeight));
  }
}

bool SetUp() {
  static GuardedBuffer dib(kMaxDib);
  g_dib = &dib;
  RegisterFuzzGuard(&dib);
  SetMessageBoxFunction(CountBox);
  g_window = CreateWindowExA(0, "STATIC", "fuzz", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  return dib.ok() && g_window;
}

void TearDown() {
  if (g_window) DestroyWindow(g_window);
  SetMessageBoxFunction(nullptr);
}

void Run(FuzzCase& fuzzCase) {
  const FuzzBytes bytes = MakeDib(fuzzCase.random());
  fuzzCase.RecordInput(bytes.data(), bytes.size());
  const auto* dib = reinterpret_cast<const BITMAPINFOHEADER*>(
      g_dib->Place(bytes.data(), bytes.size(), fuzzCase.placement()));
  g_boxes = 0;
  CheckPalette(fuzzCase, dib, bytes.size());
  if (!fuzzCase.broken()) CheckBitmap(fuzzCase, dib, bytes.size());
  if (std::memcmp(dib, bytes.data(), bytes.size()) != 0) fuzzCase.Break("the DIB was written to");
  if (g_boxes) fuzzCase.Break("%d error boxes", g_boxes);
  // The boxes would have asked to quit; a later case must not see that.
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}

}  // namespace

const FuzzTarget kDibTarget = {"dib", SetUp, Run, TearDown};
