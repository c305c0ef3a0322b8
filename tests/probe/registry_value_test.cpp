#include <gtest/gtest.h>

#include <vector>

#include "probe/display_device.h"
#include "tests/support/guarded_buffer.h"

namespace {

// The value's bytes as the registry hands them out, against either guard
// page: at most four are read, whatever the type the driver wrote.
TEST(RegistryValueBytes, AtMostFourLittleEndianBytesAreRead) {
  struct Row {
    const char* name;
    std::vector<BYTE> bytes;
    bool read;
    int megabytes;
  };
  const Row rows[] = {
      {"empty", {}, true, 0},
      {"one byte", {0xFF}, true, 0},
      {"three bytes: no top byte", {0xFF, 0xFF, 0xFF}, true, 0},
      {"256 MB", {0x00, 0x00, 0x00, 0x10}, true, 256},
      {"top byte only counts", {0xFF, 0xFF, 0xFF, 0x0F}, true, 240},
      {"4080 MB", {0x00, 0x00, 0x00, 0xFF}, true, 4080},
      {"five bytes", {0x00, 0x00, 0x00, 0x10, 0x00}, false, 0},
  };
  for (const Row& row : rows) {
    for (GuardedBuffer::Placement placement : {GuardedBuffer::kAtEnd, GuardedBuffer::kAtStart}) {
      SCOPED_TRACE(row.name);
      GuardedBuffer buffer(row.bytes.size());
      const BYTE* value = buffer.Place(row.bytes.data(), row.bytes.size(), placement);
      int megabytes = -1;
      EXPECT_EQ(row.read,
                VideoMemoryFromRegistryValue(value, static_cast<DWORD>(row.bytes.size()), &megabytes));
      EXPECT_EQ(row.megabytes, megabytes);
    }
  }
  int megabytes = -1;
  EXPECT_FALSE(VideoMemoryFromRegistryValue(nullptr, 4, &megabytes));
  EXPECT_EQ(0, megabytes);
}

}  // namespace
