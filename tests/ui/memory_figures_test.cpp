#include "ui/memory_figures.h"

#include <gtest/gtest.h>

namespace {

struct ClassCase {
  int megabytes;
  bool wow64;
  int memoryClass;
};

TEST(ClassifyMemoryTest, ThresholdsOn32BitWindowsAndUnderWow64) {
  const ClassCase cases[] = {
      {0, false, 2},    {2047, false, 2}, {2047, true, 2},  {2048, false, 1}, {2048, true, 1},
      {3071, false, 1}, {3071, true, 1},  {3072, false, 0}, {3072, true, 1},  {4095, false, 0},
      {4095, true, 1},  {4096, false, 0}, {4096, true, 0},  {65536, true, 0},
  };
  for (const ClassCase& c : cases) {
    EXPECT_EQ(ClassifyMemory(c.megabytes, c.wow64), c.memoryClass) << c.megabytes << " MB wow64=" << c.wow64;
  }
}

struct MemoryCase {
  double installed;
  const char* totalPhysical;
  bool wow64;
  const char* text;
  int memoryClass;
  int memoryShort;
};

TEST(JudgeMemoryTest, RoundsToTheNearestMegabyteAndFallsBackOnZero) {
  const MemoryCase cases[] = {
      {536870912.0, "", false, "512 MB", 2, 1},
      // Half a megabyte rounds up, one byte less does not.
      {524288.0, "", false, "1 MB", 2, 1},
      {2147483648.0 - 524289.0, "", false, "2047 MB", 2, 1},
      {2147483648.0 - 524288.0, "", false, "2048 MB", 1, 0},
      {3221225472.0, "9999 Byte", false, "3072 MB", 0, 0},
      {3221225472.0, "", true, "3072 MB", 1, 0},
      // Below half a megabyte the module sum counts as unknown.
      {524287.0, "4294967296 Byte", true, "4096 MB", 0, 0},
      {0.0, "4294967296 Byte", false, "4096 MB", 0, 0},
      // A count above 4 GB must not wrap in 32 bits.
      {0.0, "17179869184 Byte", true, "16384 MB", 0, 0},
      {0.0, "6442450944", false, "6144 MB", 0, 0},
      {0.0, "", false, "0 MB", 2, 1},
      {0.0, " 4294967296 Byte", false, "0 MB", 2, 1},
      {0.0, "Byte", false, "0 MB", 2, 1},
  };
  for (const MemoryCase& c : cases) {
    const MemoryFigures figures = JudgeMemory(c.installed, c.totalPhysical, c.wow64);
    EXPECT_EQ(figures.text, c.text) << c.installed << " / " << c.totalPhysical;
    EXPECT_EQ(figures.memoryClass, c.memoryClass) << c.installed << " / " << c.totalPhysical;
    EXPECT_EQ(figures.memoryShort, c.memoryShort) << c.installed << " / " << c.totalPhysical;
  }
}

TEST(JudgeMemoryTest, FiguresNoIntHoldsDoNotOverflow) {
  EXPECT_EQ(MegabytesFromByteCountText("99999999999999999999999999 Byte"), 2147483647);
  EXPECT_EQ(MegabytesFromInstalledBytes(1e300), 2147483647);
  EXPECT_EQ(MegabytesFromInstalledBytes(-5e9), 0);
}

}  // namespace
