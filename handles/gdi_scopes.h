#pragma once

#include <windows.h>

#include "handles/owner.h"

// Device contexts and selections that last one scope. None is movable: each
// undoes, on exit, exactly what its constructor did in that scope.

// A memory device context compatible with `compatibleWith`, deleted with DeleteDC.
class ScopedMemoryDc {
 public:
  explicit ScopedMemoryDc(HDC compatibleWith) : dc_(::CreateCompatibleDC(compatibleWith)) {}
  ~ScopedMemoryDc() {
    if (dc_) ::DeleteDC(dc_);
  }
  ScopedMemoryDc(const ScopedMemoryDc&) = delete;
  ScopedMemoryDc& operator=(const ScopedMemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// A window's device context from GetDC or GetWindowDC, given back with ReleaseDC.
class ScopedWindowDc {
 public:
  enum Kind { kClient, kWholeWindow };
  ScopedWindowDc(HWND window, Kind kind)
      : window_(window), dc_(kind == kClient ? ::GetDC(window) : ::GetWindowDC(window)) {}
  ~ScopedWindowDc() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint's context for WM_PAINT. EndPaint runs even when BeginPaint gave
// no context: the update region must be validated either way.
class ScopedPaintDc {
 public:
  explicit ScopedPaintDc(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
  ~ScopedPaintDc() { ::EndPaint(window_, &paint_); }
  ScopedPaintDc(const ScopedPaintDc&) = delete;
  ScopedPaintDc& operator=(const ScopedPaintDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_;
  HDC dc_;
};

// A GDI object selected into a context, the previous one put back on exit.
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(dc && object ? ::SelectObject(dc, object) : nullptr) {}
  ~ScopedSelection() {
    if (previous_) ::SelectObject(dc_, previous_);
  }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A palette selected and realised in a context, the previous one put back on exit.
class ScopedPaletteSelection {
 public:
  ScopedPaletteSelection(HDC dc, HPALETTE palette, BOOL background) : dc_(dc) {
    if (!dc || !palette) return;
    previous_ = ::SelectPalette(dc, palette, background);
    ::RealizePalette(dc);
  }
  ~ScopedPaletteSelection() {
    if (previous_) ::SelectPalette(dc_, previous_, TRUE);
  }
  ScopedPaletteSelection(const ScopedPaletteSelection&) = delete;
  ScopedPaletteSelection& operator=(const ScopedPaletteSelection&) = delete;

 private:
  HDC dc_;
  HPALETTE previous_ = nullptr;
};
