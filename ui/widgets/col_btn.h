#pragma once

#include <windows.h>

#include "ui/widgets/gdi_owners.h"
#include "winfw/button.h"

// The window whose palette every picture button draws with.
class ButtonPaletteOwner {
 public:
  virtual HPALETTE ButtonPalette() const = 0;

 protected:
  ~ButtonPaletteOwner() = default;
};

// A push button drawn from a strip of four pictures: normal, pressed,
// pointer over, disabled.
class CColBtn : public CButton {
 public:
  CColBtn() = default;
  ~CColBtn() override;

  // Loads the strip, sizes the button to one picture. A strip that is not in
  // the program leaves the button without a picture.
  BOOL SetStateBitmap(int bitmapId, CWnd* owner, int restoreCursor, HCURSOR cursor, int lastImage);

  // The window whose palette the strip is drawn with; none: the system's.
  void DrawWithPaletteOf(const ButtonPaletteOwner* source) { paletteSource_ = source; }

  void DrawItem(const DRAWITEMSTRUCT* item) override;

  int imageWidth() const { return imageWidth_; }
  int imageHeight() const { return imageHeight_; }
  bool hasPicture() const { return static_cast<bool>(strip_); }

 protected:
  void OnMouseMove(UINT flags, POINT point) override;
  void OnMouseLeave() override;
  bool OnSetCursor() override;
  void OnDestroy() override;

 private:
  int restoreCursor_ = 0;
  CWnd* owner_ = nullptr;
  const ButtonPaletteOwner* paletteSource_ = nullptr;
  int hover_ = 0;
  int lastImage_ = 0;
  int imageWidth_ = 0;
  int imageHeight_ = 0;
  OwnedBitmap strip_;
  HCURSOR cursor_ = nullptr;
  int tracking_ = 0;
};
