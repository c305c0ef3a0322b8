#pragma once

#include <windows.h>

#include <utility>

// One owner per GDI handle kind the widgets hold.

// A GDI object (bitmap, palette, font, brush) deleted with DeleteObject.
template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& other) noexcept : handle_(other.Release()) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  Handle Release() { return std::exchange(handle_, nullptr); }
  void Reset(Handle handle = nullptr) {
    if (handle_) ::DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

using OwnedBitmap = GdiObject<HBITMAP>;
using OwnedPalette = GdiObject<HPALETTE>;
using OwnedFont = GdiObject<HFONT>;
using OwnedBrush = GdiObject<HBRUSH>;

// A memory device context, deleted with DeleteDC.
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

// A window's device context from GetDC or GetWindowDC, released on scope exit.
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

// A GDI object selected into a context, the previous one restored on exit.
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(dc && object ? ::SelectObject(dc, object) : nullptr) {}
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
