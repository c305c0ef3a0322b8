#include "ui/widgets/focus_cue.h"

#include "ui/widgets/gdi_owners.h"

namespace {

const int kInset = 3;
const int kThickness = 2;

// 2 x 2 blocks of black (0 bits: text colour) and white (1 bits: background
// colour); each row of a monochrome bitmap is a whole 16-bit word.
const WORD kCheckerRows[8] = {0x33, 0x33, 0xCC, 0xCC, 0x33, 0x33, 0xCC, 0xCC};

}  // namespace

std::array<RECT, 4> FocusCueEdges(int width, int height) {
  const int left = kInset, top = kInset, right = width - kInset, bottom = height - kInset;
  if (right - left < 2 * kThickness || bottom - top < 2 * kThickness) return {};
  return {{
      {left, top, right, top + kThickness},
      {left, bottom - kThickness, right, bottom},
      {left, top + kThickness, left + kThickness, bottom - kThickness},
      {right - kThickness, top + kThickness, right, bottom - kThickness},
  }};
}

bool WantsFocusCue(UINT itemState, bool cuesShown) {
  return cuesShown && (itemState & ODS_FOCUS) && !(itemState & ODS_NOFOCUSRECT);
}

void DrawFocusCue(HDC dc, int width, int height) {
  OwnedBitmap checker(::CreateBitmap(8, 8, 1, 1, kCheckerRows));
  if (!checker) return;
  OwnedBrush brush(::CreatePatternBrush(checker.get()));
  if (!brush) return;
  const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
  POINT oldOrigin;
  ::SetBrushOrgEx(dc, 0, 0, &oldOrigin);
  for (const RECT& edge : FocusCueEdges(width, height)) ::FillRect(dc, &edge, brush.get());
  ::SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
  ::SetBkColor(dc, oldBack);
  ::SetTextColor(dc, oldText);
}
