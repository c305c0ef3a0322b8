#pragma once

#include <windows.h>

#include <cstddef>

#include "handles/gdi_scopes.h"

// Packed DIB resources (header, colour table, pixels) turned into palettes
// and device-dependent bitmaps.

// A locked RT_BITMAP resource of the program; both null when it is missing.
struct DibResource {
  const BITMAPINFOHEADER* header = nullptr;
  size_t size = 0;
};
DibResource FindDibResource(HINSTANCE module, int resourceId);

// Colour-table entries the header declares (0 for depths without a table).
int DibColorCount(const BITMAPINFOHEADER& header);

// Whether the header, its colour table of `colorEntries`, the table GDI
// reads for the header and the pixels fit inside `size` bytes; a bad resource
// must not read past itself.
bool DibFitsIn(const BITMAPINFOHEADER& header, size_t size, int colorEntries);

// The bitmap of a packed DIB for the window that asks (owner of the two
// failure boxes and source of the device context); null after a failure.
HBITMAP LoadDibBitmap(const BITMAPINFOHEADER* dib, size_t dibSize, HWND asker);

// Fills `palette` from the DIB's colour table (256 entries when the header
// says 0); true when it now holds a palette.
bool CreatePaletteFromDib(const BITMAPINFOHEADER* dib, size_t dibSize, OwnedPalette* palette);

// A background picture: the palette of its table and the bitmap made through
// it for `window`. The pixels start after the header and 256 entries,
// whatever the header says. `inBackground` is SelectPalette's last argument
// while the bitmap is made: the detail dialog, a second window over the
// main one, must not take the system palette from it.
struct BackgroundPicture {
  DibResource dib;
  OwnedPalette palette;
  OwnedBitmap bitmap;
  int width = 0;
  int height = 0;
};
bool LoadBackgroundPicture(HINSTANCE module, int resourceId, HWND window, BOOL inBackground,
                           BackgroundPicture* picture);
