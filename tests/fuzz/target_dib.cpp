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

// DIBs laid out by hand: header, colour table, rows of whole DWORDs. `size`
// is every byte they need; `palette` the entries of a palette made of them
// (256 for a count of 0, so none where the bytes cannot hold 256).
struct DibRow {
  LONG width, height;
  WORD bits;
  DWORD colorsUsed;
  size_t size;
  UINT palette;
};
const DibRow kRows[] = {
    {1, 1, 1, 0, 40 + 8 + 4, 0},      {2, 2, 8, 0, 40 + 1024 + 8, 256}, {3, 1, 24, 0, 40 + 12, 0},
    {1, -2, 32, 0, 40 + 8, 0},        {3, 2, 32, 0, 40 + 24, 0},        {4, 1, 8, 16, 40 + 64 + 4, 16},
    {5, 3, 4, 0, 40 + 64 + 3 * 4, 0}, {33, 1, 1, 0, 40 + 8 + 8, 0},     {2, 1, 16, 3, 40 + 12 + 4, 3},
};

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
  const uint32_t colorsUsed[] = {
      0, 1 + random.Below(256), 0x10000u * (1 + random.Below(0x7FFF)) + random.Below(300),
      0x80000000u + 0x10000u * random.Below(0x8000) + random.Below(300), EdgeValue(random, 256)};
  h.biClrUsed = colorsUsed[random.OneIn(3) ? 0 : random.Below(5)];
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

// A hand-laid row, whole or one byte short, its table and pixels random.
FuzzBytes MakeRowDib(FuzzRandom& random, const DibRow& row, bool whole) {
  FuzzBytes dib(whole ? row.size : row.size - 1);
  random.Fill(dib.data(), dib.size());
  const BITMAPINFOHEADER h = {sizeof(h), row.width, row.height,     1, row.bits, BI_RGB, 0,
                              0,         0,         row.colorsUsed, 0};
  std::memcpy(dib.data(), &h, sizeof(h));
  return dib;
}

// A palette is made only of a table inside the bytes, holds the table's
// colours, and a refusal leaves the palette the caller had.
UINT CheckPalette(FuzzCase& fuzzCase, const BITMAPINFOHEADER* dib, size_t size) {
  const LOGPALETTE one = {0x300, 1, {{0, 0, 0, 0}}};
  OwnedPalette palette(CreatePalette(&one));
  const HPALETTE before = palette.get();
  bool made = false;
  {
    GuardedHeapScope heap;
    made = CreatePaletteFromDib(dib, size, &palette);
  }
  if (!made && palette.get() != before) fuzzCase.Break("a refused DIB changed the palette");
  if (!made) return 0;
  PALETTEENTRY entries[257] = {};
  const UINT got = GetPaletteEntries(palette.get(), 0, 257, entries);
  if (got > 256 || dib->biSize > size || (size - dib->biSize) / 4 < got)
    return fuzzCase.Break("%u palette entries from beyond the DIB", got), 0;
  const auto* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(dib) + dib->biSize);
  for (UINT i = 0; i < got; ++i) {
    if (entries[i].peRed != table[i].rgbRed || entries[i].peGreen != table[i].rgbGreen ||
        entries[i].peBlue != table[i].rgbBlue || entries[i].peFlags != 0) {
      fuzzCase.Break("palette entry %u is not the table's", i);
      break;
    }
  }
  return got;
}

// The pixels of a 32-bit DIB, read back from the bitmap made of it.
void CheckRoundTrip(FuzzCase& fuzzCase, HBITMAP bitmap, const BITMAPINFOHEADER* dib) {
  const int rows = std::abs(static_cast<int>(dib->biHeight));
  std::vector<RGBQUAD> back(static_cast<size_t>(dib->biWidth) * rows);
  BITMAPINFO info = {*dib, {}};
  HDC dc = GetDC(g_window);
  const bool read = GetDIBits(dc, bitmap, 0, rows, back.data(), &info, DIB_RGB_COLORS) == rows;
  ReleaseDC(g_window, dc);
  const auto* sent = reinterpret_cast<const RGBQUAD*>(dib + 1);
  for (size_t i = 0; i < back.size(); ++i) {
    if (!read || std::memcmp(&back[i], &sent[i], 3) != 0)
      return fuzzCase.Break("pixel %u of a 32-bit DIB came back otherwise", static_cast<unsigned>(i));
  }
}

// What any header must meet, whatever its sizes, to be drawn at all.
bool BreaksAHeaderRule(const BITMAPINFOHEADER& h, size_t size) {
  return h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size || h.biWidth <= 0 || h.biHeight == 0 ||
         h.biPlanes != 1 || h.biBitCount == 0 || h.biCompression != BI_RGB;
}

void CheckBitmap(FuzzCase& fuzzCase, const BITMAPINFOHEADER* dib, size_t size, const DibRow* row,
                 bool whole) {
  bool fits = false;
  if (size >= sizeof(BITMAPINFOHEADER)) {
    const int colors = DibColorCount(*dib);
    fits = DibFitsIn(*dib, size, colors);
    // Only the header is read: more room never turns a fit into a refusal.
    if (fits && !DibFitsIn(*dib, size + 1 + fuzzCase.random().Below(4096), colors))
      return fuzzCase.Break("a DIB that fits in %u bytes does not fit in more", static_cast<unsigned>(size));
    if (fits && (BreaksAHeaderRule(*dib, size) || (size - dib->biSize) / 4 < static_cast<size_t>(colors)))
      return fuzzCase.Break("a DIB against a header rule, or short of its table, fits");
  }
  if (row && fits != whole)
    return fuzzCase.Break("a row of %u bytes, whole %d, fits %d", static_cast<unsigned>(size), whole, fits);
  HBITMAP bitmap = nullptr;
  {
    GuardedHeapScope heap;
    bitmap = LoadDibBitmap(dib, size, g_window);
  }
  if (!bitmap) return row && whole ? fuzzCase.Break("no bitmap of a whole row") : void();
  BITMAP info = {};
  GetObjectA(bitmap, sizeof(info), &info);
  if (!fits) fuzzCase.Break("a bitmap was made of a DIB that does not fit");
  if (info.bmWidth != dib->biWidth || info.bmHeight != std::labs(dib->biHeight))
    fuzzCase.Break("a bitmap of %ldx%ld", static_cast<long>(info.bmWidth), static_cast<long>(info.bmHeight));
  if (row && row->bits == 32) CheckRoundTrip(fuzzCase, bitmap, dib);
  DeleteObject(bitmap);
}

bool SetUp() {
  SetMessageBoxFunction(CountBox);
  g_window = CreateWindowExA(0, "STATIC", "fuzz", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  return MakeFuzzGuard(&g_dib, kMaxDib) && g_window;
}

void TearDown() {
  if (g_window) DestroyWindow(g_window);
  SetMessageBoxFunction(nullptr);
}

void Run(FuzzCase& fuzzCase) {
  FuzzRandom& random = fuzzCase.random();
  const DibRow* row = random.OneIn(4) ? &kRows[random.Below(sizeof(kRows) / sizeof(kRows[0]))] : nullptr;
  const bool whole = !row || !random.OneIn(3);
  const FuzzBytes bytes = row ? MakeRowDib(random, *row, whole) : MakeDib(random);
  fuzzCase.RecordInput(bytes.data(), bytes.size());
  const auto* dib = reinterpret_cast<const BITMAPINFOHEADER*>(
      g_dib->Place(bytes.data(), bytes.size(), fuzzCase.placement()));
  g_boxes = 0;
  const UINT entries = CheckPalette(fuzzCase, dib, bytes.size());
  if (row && whole && entries != row->palette)
    fuzzCase.Break("%u palette entries, not %u", entries, row->palette);
  if (!fuzzCase.broken()) CheckBitmap(fuzzCase, dib, bytes.size(), row, whole);
  if (std::memcmp(dib, bytes.data(), bytes.size()) != 0) fuzzCase.Break("the DIB was written to");
  if (g_boxes) fuzzCase.Break("%d error boxes", g_boxes);
  // The boxes would have asked to quit; a later case must not see that.
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}

}  // namespace

const FuzzTarget kDibTarget = {"dib", SetUp, Run, TearDown};
