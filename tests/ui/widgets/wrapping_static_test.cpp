#include "ui/widgets/wrapping_static.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/display_messages.h"
#include "tests/ui/widgets/test_dialog_window.h"
#include "handles/gdi_scopes.h"

namespace {

const int kWidth = 260;
const int kHeight = 30;

// A dialog-class window holding one static in the dialogs' face, painted
// into a bitmap through WM_PRINTCLIENT so the pixels do not depend on the
// screen.
class StaticHost {
 public:
  explicit StaticHost(DWORD style)
      : dialog_(WS_POPUP | WS_VISIBLE, 0, 300, 100),
        font_(CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Shell Dlg")) {
    control_ = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | style, 10, 10, kWidth, kHeight, dialog_.get(),
                               reinterpret_cast<HMENU>(1066), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }
  HWND control() const { return control_; }
  HFONT font() const { return font_.get(); }

  // Every pixel of the control's client area, 0x00RRGGBB, top row first.
  std::vector<DWORD> Paint() const {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    ScopedWindowDc screen(nullptr, ScopedWindowDc::kClient);
    OwnedBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ScopedMemoryDc memory(screen.get());
    {
      ScopedSelection selected(memory.get(), bitmap.get());
      SendMessageA(control_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
      GdiFlush();
    }
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    return std::vector<DWORD>(pixels, pixels + kWidth * kHeight);
  }

 private:
  TestDialogWindow dialog_;
  OwnedFont font_;
  HWND control_;
};

bool IsInk(DWORD pixel) { return (pixel & 0xFFFFFF) != (GetSysColor(COLOR_BTNFACE) & 0xFFFFFF); }

struct InkBounds {
  int left = kWidth, right = -1, top = kHeight, bottom = -1;
};

InkBounds InkIn(const std::vector<DWORD>& pixels, int fromRow, int toRow) {
  InkBounds bounds;
  for (int y = fromRow; y < toRow && y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (!IsInk(pixels[y * kWidth + x])) continue;
      bounds.left = std::min(bounds.left, x);
      bounds.right = std::max(bounds.right, x);
      bounds.top = std::min(bounds.top, y);
      bounds.bottom = std::max(bounds.bottom, y);
    }
  }
  return bounds;
}

TEST(WrappingStaticTest, TheHighDefinitionMessageShowsWholeOnTheSecondLine) {
  StaticHost host(SS_LEFT);
  ASSERT_TRUE(PaintStaticWithJapaneseLineBreaks(host.control()));
  const std::string text = HighDefinitionMessage();
  SetWindowTextA(host.control(), text.c_str());

  ScopedWindowDc dc(host.control(), ScopedWindowDc::kClient);
  ScopedSelection selected(dc.get(), host.font());
  TEXTMETRICA metrics;
  GetTextMetricsA(dc.get(), &metrics);
  ASSERT_LE(2 * metrics.tmHeight, kHeight);
  SIZE phrase;
  GetTextExtentPoint32A(dc.get(), "ハイビジョンで表示可能です", 26, &phrase);
  SIZE ideographicSpace;
  GetTextExtentPoint32A(dc.get(), "　", 2, &ideographicSpace);

  const std::vector<DWORD> pixels = host.Paint();
  // The first line holds only blanks, the third (cut off at 30 pixels) nothing.
  EXPECT_EQ(InkIn(pixels, 0, metrics.tmHeight).right, -1);
  EXPECT_EQ(InkIn(pixels, 2 * metrics.tmHeight, kHeight).right, -1);
  const InkBounds second = InkIn(pixels, metrics.tmHeight, 2 * metrics.tmHeight);
  ASSERT_GE(second.right, 0) << "no text on the second line";
  // The phrase is whole: as wide as it measures, and inside the control.
  EXPECT_GE(second.left, ideographicSpace.cx);
  EXPECT_GE(second.right - second.left + 1, phrase.cx - ideographicSpace.cx);
  EXPECT_LT(second.right, kWidth);
}

TEST(WrappingStaticTest, TextAndColoursStillComeFromTheControlAndItsParent) {
  StaticHost host(SS_LEFT);
  ASSERT_TRUE(PaintStaticWithJapaneseLineBreaks(host.control()));
  SetWindowTextA(host.control(), "4096 MB");
  char read[32] = {};
  GetWindowTextA(host.control(), read, sizeof read);
  EXPECT_STREQ(read, "4096 MB");
  const std::vector<DWORD> pixels = host.Paint();
  // The parent's default answer: the button-face brush behind black text.
  EXPECT_FALSE(IsInk(pixels[kWidth * (kHeight - 1) + kWidth - 1]));
  ASSERT_GE(InkIn(pixels, 0, kHeight).right, 0);
  // Smoothed edges are lighter; the strokes themselves are the text colour.
  DWORD darkest = 0xFFFFFF;
  for (DWORD pixel : pixels) {
    if (IsInk(pixel) && (pixel & 0xFFFFFF) < darkest) darkest = pixel & 0xFFFFFF;
  }
  EXPECT_EQ(darkest, GetSysColor(COLOR_WINDOWTEXT) & 0xFFFFFF) << "not drawn in the window-text colour";
}

TEST(WrappingStaticTest, OnlyLeftAlignedStaticsAreTaken) {
  for (DWORD style : {static_cast<DWORD>(SS_CENTER), static_cast<DWORD>(SS_BLACKFRAME)}) {
    StaticHost host(style);
    EXPECT_FALSE(PaintStaticWithJapaneseLineBreaks(host.control())) << style;
  }
  TestDialogWindow dialog(WS_POPUP, 0, 100, 100);
  const HWND button = CreateWindowExA(0, "Button", "x", WS_CHILD, 0, 0, 50, 20, dialog.get(), nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
  EXPECT_FALSE(PaintStaticWithJapaneseLineBreaks(button));
  EXPECT_FALSE(PaintStaticWithJapaneseLineBreaks(nullptr));
}

}  // namespace
