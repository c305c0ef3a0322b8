#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "ui/widgets/col_btn.h"
#include "ui/widgets/control_placement.h"
#include "ui/widgets/dib_bitmap.h"
#include "winfw/dialog.h"

// What both skinned dialogs share: background pictures with their palettes,
// dragging by the background, static texts standing on the picture, and a
// table of picture buttons.
class CPictureDialog : public CDialog, public ButtonPaletteOwner {
 public:
  // The first picture's: every picture shares its colour table.
  HPALETTE ButtonPalette() const override;

 protected:
  CPictureDialog(UINT templateId, CWnd* parent);

  struct PictureButton {
    CColBtn* button;
    int stripId;
    ControlPlacement placement;
  };
  // A static drawn straight on the picture, in `colour` or, with
  // kDefaultTextColour, the platform's.
  struct TextOnPicture {
    int controlId;
    COLORREF colour;
  };
  static const COLORREF kDefaultTextColour = CLR_INVALID;

  // `inBackground` is how the palettes are realised while the bitmaps are
  // made: a second window over the main one must not take the system palette.
  void LoadPictures(const int* pictureIds, size_t count, BOOL inBackground);
  void ShowPicture(size_t index) { shownPicture_ = index; }
  void SetUpButtons(const PictureButton* buttons, size_t count);
  void SetTextsOnPicture(std::vector<TextOnPicture> texts) { texts_ = std::move(texts); }

  void OnPaint() override;
  // Called after the picture is painted, outside the paint cycle.
  virtual void PaintOverPicture() {}
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT controlType) override;
  void OnLButtonDown(UINT flags, POINT point) override;
  void OnDestroy() override;

 private:
  std::vector<BackgroundPicture> pictures_;
  size_t shownPicture_ = 0;
  // A dialog that clips its children paints nothing under its statics: they
  // fill themselves with the picture through this brush.
  OwnedBrush pictureBrush_;
  std::vector<TextOnPicture> texts_;
};
