#include "ui/widgets/dib_bitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "handles/message_box.h"
#include "tests/ui/widgets/test_dialog_window.h"
#include "ui/widgets/control_placement.h"

namespace {

// A packed DIB of the given shape; colour entry i is (i, 255 - i, i / 2).
std::vector<BYTE> MakeDib(int width, int height, int bits, DWORD colorsUsed, int tableEntries) {
  const int stride = (width * bits + 31) / 32 * 4;
  std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + 4 * tableEntries + stride * (height < 0 ? -height : height));
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof(header);
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(bits);
  header.biCompression = BI_RGB;
  header.biClrUsed = colorsUsed;
  std::memcpy(dib.data(), &header, sizeof(header));
  for (int i = 0; i < tableEntries; ++i) {
    RGBQUAD entry = {static_cast<BYTE>(i / 2), static_cast<BYTE>(255 - i), static_cast<BYTE>(i), 0};
    std::memcpy(dib.data() + sizeof(header) + 4 * i, &entry, 4);
  }
  return dib;
}

const BITMAPINFOHEADER* Header(const std::vector<BYTE>& dib) {
  return reinterpret_cast<const BITMAPINFOHEADER*>(dib.data());
}

std::vector<std::string> g_boxes;
int WINAPI RecordBox(HWND, const char* text, const char*, UINT) {
  g_boxes.push_back(text);
  return IDOK;
}

class DibTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_boxes.clear();
    previous_ = SetMessageBoxFunction(RecordBox);
  }
  void TearDown() override { SetMessageBoxFunction(previous_); }
  MessageBoxFunction previous_ = nullptr;
};

TEST(DibColorCountTest, TheDeclaredCountOrTheDepthsFullTable) {
  struct Case {
    WORD bits;
    DWORD used;
    int count;
  };
  const Case cases[] = {{8, 0, 256}, {4, 0, 16}, {1, 0, 2}, {24, 0, 0}, {32, 0, 0}, {8, 16, 16},
                        // Only the low 16 bits of the field count.
                        {8, 0x10020, 0x20}};
  for (const Case& c : cases) {
    BITMAPINFOHEADER header = {};
    header.biBitCount = c.bits;
    header.biClrUsed = c.used;
    EXPECT_EQ(DibColorCount(header), c.count) << c.bits << "/" << c.used;
  }
}

TEST_F(DibTest, CreatePaletteFromDibCopiesTheTable) {
  const std::vector<BYTE> dib = MakeDib(4, 4, 8, 0, 256);
  OwnedPalette palette;
  ASSERT_TRUE(CreatePaletteFromDib(Header(dib), dib.size(), &palette));
  PALETTEENTRY entries[256];
  ASSERT_EQ(GetPaletteEntries(palette.get(), 0, 256, entries), 256u);
  for (int i : {0, 1, 128, 255}) {
    EXPECT_EQ(entries[i].peRed, i);
    EXPECT_EQ(entries[i].peGreen, 255 - i);
    EXPECT_EQ(entries[i].peBlue, i / 2);
    EXPECT_EQ(entries[i].peFlags, 0);
  }
}

TEST_F(DibTest, CreatePaletteFromDibRefusesTablesItCannotHold) {
  OwnedPalette palette;
  const std::vector<BYTE> tooMany = MakeDib(4, 4, 8, 300, 300);
  EXPECT_FALSE(CreatePaletteFromDib(Header(tooMany), tooMany.size(), &palette));
  const std::vector<BYTE> cut = MakeDib(4, 4, 8, 0, 256);
  EXPECT_FALSE(CreatePaletteFromDib(Header(cut), sizeof(BITMAPINFOHEADER) + 1000, &palette));
  EXPECT_FALSE(palette);
}

TEST_F(DibTest, LoadDibBitmapMakesABitmapOfTheDibsSize) {
  TestDialogWindow window(WS_POPUP | WS_VISIBLE, 0, 100, 100);
  std::vector<BYTE> dib = MakeDib(8, 12, 8, 0, 256);
  OwnedBitmap bitmap(LoadDibBitmap(Header(dib), dib.size(), window.get()));
  ASSERT_TRUE(bitmap);
  BITMAP info = {};
  ASSERT_EQ(GetObjectA(bitmap.get(), sizeof(info), &info), static_cast<int>(sizeof(info)));
  EXPECT_EQ(info.bmWidth, 8);
  EXPECT_EQ(info.bmHeight, 12);
  EXPECT_TRUE(g_boxes.empty());
}

TEST_F(DibTest, ABadDibGivesNoBitmapAndReadsNothingPastItself) {
  TestDialogWindow window(WS_POPUP | WS_VISIBLE, 0, 100, 100);
  const std::vector<BYTE> good = MakeDib(8, 12, 8, 0, 256);
  struct Case {
    const char* name;
    std::vector<BYTE> dib;
    size_t size;
  };
  std::vector<BYTE> compressed = good;
  reinterpret_cast<BITMAPINFOHEADER*>(compressed.data())->biCompression = BI_RLE8;
  std::vector<BYTE> shortHeader = good;
  reinterpret_cast<BITMAPINFOHEADER*>(shortHeader.data())->biSize = 12;
  std::vector<BYTE> hugeHeader = good;
  reinterpret_cast<BITMAPINFOHEADER*>(hugeHeader.data())->biSize = 0x7FFFFFFF;
  std::vector<BYTE> hugeWidth = good;
  reinterpret_cast<BITMAPINFOHEADER*>(hugeWidth.data())->biWidth = 0x7FFFFFFF;
  const Case cases[] = {
      {"pixels cut short", good, good.size() - 1},
      {"table cut short", good, sizeof(BITMAPINFOHEADER) + 100},
      {"header only", good, sizeof(BITMAPINFOHEADER)},
      {"compressed", compressed, compressed.size()},
      {"core header size", shortHeader, shortHeader.size()},
      {"header larger than the resource", hugeHeader, hugeHeader.size()},
      {"width beyond the pixels", hugeWidth, hugeWidth.size()},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LoadDibBitmap(Header(c.dib), c.size, window.get()), nullptr) << c.name;
  }
  EXPECT_EQ(LoadDibBitmap(nullptr, 0, window.get()), nullptr);
  EXPECT_TRUE(g_boxes.empty());
}

TEST_F(DibTest, NoDeviceContextShowsTheMenuBoxAndAsksToQuit) {
  const std::vector<BYTE> dib = MakeDib(8, 12, 8, 0, 256);
  // A window handle that names no window has no device context.
  EXPECT_EQ(LoadDibBitmap(Header(dib), dib.size(), reinterpret_cast<HWND>(0x7FFF0)), nullptr);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0], "メニューの起動に失敗しました。");
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(DibTest, AMissingBackgroundLeavesThePageWithoutAPictureAndPaintsNothing) {
  TestDialogWindow window(WS_POPUP, 0, 100, 100);
  for (BOOL inBackground : {FALSE, TRUE}) {
    BackgroundPicture picture;
    EXPECT_FALSE(LoadBackgroundPicture(GetModuleHandleA(nullptr), 9999, window.get(), inBackground, &picture));
    EXPECT_EQ(picture.dib.header, nullptr);
    EXPECT_EQ(picture.dib.size, 0u);
    EXPECT_FALSE(picture.palette);
    EXPECT_FALSE(picture.bitmap);
    EXPECT_TRUE(g_boxes.empty()) << "a missing picture is not an error the user is told of";

    // What was on the page before stays there.
    HDC screen = GetDC(nullptr);
    ScopedMemoryDc memory(screen);
    OwnedBitmap page(CreateCompatibleBitmap(screen, 8, 8));
    ReleaseDC(nullptr, screen);
    ScopedSelection selected(memory.get(), page.get());
    const RECT all = {0, 0, 8, 8};
    OwnedBrush green(CreateSolidBrush(RGB(0, 200, 0)));
    FillRect(memory.get(), &all, green.get());
    PaintBackground(memory.get(), picture);
    EXPECT_EQ(GetPixel(memory.get(), 0, 0), RGB(0, 200, 0));
    EXPECT_EQ(GetPixel(memory.get(), 7, 7), RGB(0, 200, 0));
  }
}

}  // namespace
