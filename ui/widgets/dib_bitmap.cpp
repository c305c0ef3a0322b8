#include "ui/widgets/dib_bitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "handles/message_box.h"
#include "res/program_names.h"

namespace {

void FailWithBox(HWND asker, const char* text) {
  ShowMessageBox(asker, text, PROGRAM_TITLE, MB_ICONERROR);
  ::PostQuitMessage(0);
}

const RGBQUAD* ColorTable(const BITMAPINFOHEADER* dib) {
  return reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(dib) + dib->biSize);
}

void FillLogicalPalette(LOGPALETTE* logical, const RGBQUAD* table, int count) {
  logical->palVersion = 0x300;
  logical->palNumEntries = static_cast<WORD>(count);
  for (int i = 0; i < count; ++i) {
    logical->palPalEntry[i].peRed = table[i].rgbRed;
    logical->palPalEntry[i].peGreen = table[i].rgbGreen;
    logical->palPalEntry[i].peBlue = table[i].rgbBlue;
    logical->palPalEntry[i].peFlags = 0;
  }
}

const void* PixelsAfter(const BITMAPINFOHEADER* dib, int colorEntries) {
  return reinterpret_cast<const BYTE*>(dib) + dib->biSize + 4 * static_cast<size_t>(colorEntries);
}

}  // namespace

DibResource FindDibResource(HINSTANCE module, int resourceId) {
  DibResource found;
  const HRSRC info = ::FindResourceExA(module, reinterpret_cast<LPCSTR>(RT_BITMAP), MAKEINTRESOURCEA(resourceId),
                                       MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
  if (!info) return found;
  const HGLOBAL loaded = ::LoadResource(module, info);
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  const DWORD size = ::SizeofResource(module, info);
  if (!data || size < sizeof(BITMAPINFOHEADER)) return found;
  found.header = static_cast<const BITMAPINFOHEADER*>(data);
  found.size = size;
  return found;
}

int DibColorCount(const BITMAPINFOHEADER& header) {
  const int declared = static_cast<int>(header.biClrUsed & 0xFFFF);
  if (declared) return declared;
  switch (header.biBitCount) {
    case 1:
    case 4:
    case 8:
      return 1 << header.biBitCount;
    default:
      return 0;
  }
}

bool DibFitsIn(const BITMAPINFOHEADER& header, size_t size, int colorEntries) {
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > size) return false;
  if (header.biWidth <= 0 || header.biHeight == 0 || header.biPlanes != 1) return false;
  if (header.biCompression != BI_RGB || colorEntries < 0 || colorEntries > 256) return false;
  if (header.biBitCount == 0) return false;
  // GDI reads its own count of table entries from the header: the whole
  // field up to 256 at any depth, which can exceed the count given here.
  uint64_t gdiEntries = header.biBitCount <= 8 ? 1u << header.biBitCount : 0;
  if (header.biClrUsed) gdiEntries = std::min<uint64_t>(header.biClrUsed, 256);
  const uint64_t room = size - header.biSize;
  if (4 * gdiEntries > room || 4ull * colorEntries > room) return false;
  const uint64_t stride = (static_cast<uint64_t>(header.biWidth) * header.biBitCount + 31) / 32 * 4;
  const uint64_t rows = static_cast<uint64_t>(std::llabs(static_cast<long long>(header.biHeight)));
  // Divided rather than multiplied: stride times rows can pass 2^64.
  return stride <= (room - 4ull * colorEntries) / rows;
}

HBITMAP LoadDibBitmap(const BITMAPINFOHEADER* dib, size_t dibSize, HWND asker) {
  if (!dib || dibSize < sizeof(BITMAPINFOHEADER)) return nullptr;
  const int colors = DibColorCount(*dib);
  if (!DibFitsIn(*dib, dibSize, colors)) return nullptr;

  OwnedPalette temporary;
  if (colors > 0) {
    OwnedLocalMem memory(::LocalAlloc(LMEM_FIXED, 8 + 4 * static_cast<size_t>(colors)));
    if (!memory) {
      FailWithBox(asker, "パレットのためのメモリが足りません。");
      return nullptr;
    }
    auto* logical = static_cast<LOGPALETTE*>(memory.get());
    FillLogicalPalette(logical, ColorTable(dib), colors);
    temporary.reset(::CreatePalette(logical));
  }

  ScopedWindowDc dc(asker, ScopedWindowDc::kWholeWindow);
  if (!dc.get()) {
    FailWithBox(asker, "メニューの起動に失敗しました。");
    return nullptr;
  }
  ScopedPaletteSelection selection(dc.get(), temporary.get(), TRUE);
  return ::CreateDIBitmap(dc.get(), dib, CBM_INIT, PixelsAfter(dib, colors),
                          reinterpret_cast<const BITMAPINFO*>(dib), DIB_RGB_COLORS);
}

bool CreatePaletteFromDib(const BITMAPINFOHEADER* dib, size_t dibSize, OwnedPalette* palette) {
  if (!dib || !palette || dibSize < sizeof(BITMAPINFOHEADER)) return false;
  // Counted unsigned: a count with its top bit set is too many colours, not a
  // negative number that slips past the bound and wraps the table size.
  const DWORD count = dib->biClrUsed ? dib->biClrUsed : 256;
  if (count > 256 || dib->biSize > dibSize || dibSize - dib->biSize < 4u * count) return false;
  struct {
    WORD version;
    WORD entries;
    PALETTEENTRY colors[256];
  } logical;
  FillLogicalPalette(reinterpret_cast<LOGPALETTE*>(&logical), ColorTable(dib), static_cast<int>(count));
  palette->reset(::CreatePalette(reinterpret_cast<LOGPALETTE*>(&logical)));
  return static_cast<bool>(*palette);
}

bool LoadBackgroundPicture(HINSTANCE module, int resourceId, HWND window, BOOL inBackground,
                           BackgroundPicture* picture) {
  picture->dib = FindDibResource(module, resourceId);
  const BITMAPINFOHEADER* dib = picture->dib.header;
  if (!dib || !DibFitsIn(*dib, picture->dib.size, 256)) {
    picture->dib = DibResource();
    return false;
  }
  CreatePaletteFromDib(dib, picture->dib.size, &picture->palette);
  ScopedWindowDc dc(window, ScopedWindowDc::kClient);
  ScopedPaletteSelection selection(dc.get(), picture->palette.get(), inBackground);
  picture->bitmap.reset(::CreateDIBitmap(dc.get(), dib, CBM_INIT, PixelsAfter(dib, 256),
                                         reinterpret_cast<const BITMAPINFO*>(dib), DIB_RGB_COLORS));
  picture->width = dib->biWidth;
  picture->height = std::abs(static_cast<int>(dib->biHeight));
  return static_cast<bool>(picture->bitmap);
}
