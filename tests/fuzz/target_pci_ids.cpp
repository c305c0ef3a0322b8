#include <windows.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "probe/display_device.h"
#include "tests/fuzz/fuzz_mutate.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/guarded_heap.h"

namespace {

// The record is cut right after DeviceID: whatever follows lies in the
// guard page, so a read past the 128 characters faults.
constexpr size_t kThroughDeviceId = offsetof(DISPLAY_DEVICEA, DeviceID) + sizeof(DISPLAY_DEVICEA::DeviceID);
static_assert(kThroughDeviceId == 296, "DeviceID ends at byte 296");

const std::vector<std::string> kTokens = {"VEN_", "DEV_", "&", "PCI\\", "SUBSYS_",
                                          "REV_", "0x",   "-", "+",     " "};

GuardedBuffer* g_record = nullptr;

std::string MakeDeviceId(FuzzRandom& random) {
  const char* const hex = "0123456789ABCDEFabcdef";
  auto digits = [&](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += hex[random.Below(22)];
    return text;
  };
  std::string id =
      "PCI\\VEN_" + digits(4) + "&DEV_" + digits(4) + "&SUBSYS_" + digits(8) + "&REV_" + digits(2);
  if (random.OneIn(4)) id = "PCI\\DEV_" + digits(4) + "&VEN_" + digits(4);
  FuzzBytes bytes(id.begin(), id.end());
  if (!random.OneIn(4)) MutateBytes(&bytes, random, kTokens, 1 + random.Below(5), 160);
  if (random.OneIn(8)) {  // a tag in the last characters, or none left for its digits
    bytes.assign(128 - random.Below(8), 'x');
    const char* tag = random.OneIn(2) ? "VEN_" : "DEV_";
    std::memcpy(bytes.data() + bytes.size() - 4 - random.Below(3), tag, 4);
  }
  return std::string(bytes.begin(), bytes.end());
}

// The rule, apart from the product: the four characters after the first
// tag within the text up to its first null, by strtol rules in base 16.
uint32_t ReferenceId(const char* field, const char* tag) {
  const size_t length = strnlen(field, 128);
  for (size_t at = 0; at + 4 <= length; ++at) {
    if (std::memcmp(field + at, tag, 4) != 0) continue;
    char digits[5] = {};
    for (size_t i = 0; i < 4 && at + 4 + i < length; ++i) digits[i] = field[at + 4 + i];
    return static_cast<uint32_t>(std::strtol(digits, nullptr, 16));
  }
  return 0;
}

bool SetUp() {
  static GuardedBuffer record(kThroughDeviceId);
  g_record = &record;
  RegisterFuzzGuard(&record);
  return record.ok();
}

void TearDown() {}

void Run(FuzzCase& fuzzCase) {
  FuzzRandom& random = fuzzCase.random();
  std::vector<BYTE> bytes(kThroughDeviceId, 0);
  random.Fill(bytes.data(), offsetof(DISPLAY_DEVICEA, DeviceID));
  const std::string id = MakeDeviceId(random);
  char* field = reinterpret_cast<char*>(bytes.data() + offsetof(DISPLAY_DEVICEA, DeviceID));
  std::memcpy(field, id.data(), id.size() < 128 ? id.size() : 128);  // 128 characters leave no terminator
  fuzzCase.RecordInput(bytes.data(), bytes.size());

  // Only the record's first 296 bytes exist; the parser reads no further.
  const auto* device = reinterpret_cast<const DISPLAY_DEVICEA*>(g_record->Place(bytes.data(), bytes.size()));
  uint32_t vendor = 0xDEAD, deviceId = 0xBEEF;
  bool parsed = false;
  {
    GuardedHeapScope heap;
    parsed = ParsePciIds(*device, &vendor, &deviceId);
  }
  if (parsed != (field[0] != '\0'))
    return fuzzCase.Break("an ID of %u characters parsed %d", static_cast<unsigned>(strnlen(field, 128)),
                          parsed);
  const uint32_t wantedVendor = parsed ? ReferenceId(field, "VEN_") : 0;
  const uint32_t wantedDevice = parsed ? ReferenceId(field, "DEV_") : 0;
  if (vendor != wantedVendor || deviceId != wantedDevice) {
    fuzzCase.Break("\"%.128s\" gave %04x/%04x, the rule %04x/%04x", field, vendor, deviceId, wantedVendor,
                   wantedDevice);
  }
}

}  // namespace

const FuzzTarget kPciIdsTarget = {"pci_ids", SetUp, Run, TearDown};
