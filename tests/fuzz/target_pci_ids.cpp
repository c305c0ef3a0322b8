#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
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

// IDs as Windows names adapters, read by hand: the four characters after
// each tag are the number; a tag the text lacks, or ends on, reads 0.
struct DeviceId {
  std::string text;
  bool known;  // whether vendor and device below are its IDs
  uint32_t vendor, device;
};
const std::vector<DeviceId> kRows = {
    {"PCI\\VEN_10DE&DEV_0622&SUBSYS_00000000&REV_A2", true, 0x10DE, 0x0622},
    {"PCI\\DEV_95c5&VEN_1002", true, 0x1002, 0x95C5},
    {"PCI\\VEN_8086", true, 0x8086, 0},
    {"ROOT\\BASICDISPLAY", true, 0, 0},
    {"PCI\\VEN_10DEDEV_0622", true, 0x10DE, 0x0622},
    {"PCI\\VEN_12&DEV_", true, 0x12, 0},
    // 128 characters and no terminator: the tag's digits are cut by the field's end.
    {std::string(122, 'x') + "VEN_12", true, 0x12, 0},
    {std::string(124, 'x') + "DEV_", true, 0, 0},
    {std::string(120, 'x') + "DEV_ABCD", true, 0, 0xABCD},
};

DeviceId MakeDeviceId(FuzzRandom& random) {
  const uint32_t pick = random.Below(16);
  if (pick < 2) return kRows[random.Below(static_cast<uint32_t>(kRows.size()))];
  // Written from two numbers, which the parser must give back, with a
  // prefix that holds no tag and may push the ID against the field's end.
  DeviceId id = {"", true, random.Below(0x10000), random.Below(0x10000)};
  const bool swapped = random.OneIn(4);
  char text[80];
  std::snprintf(text, sizeof(text),
                swapped ? "PCI\\DEV_%04x&VEN_%04x" : "PCI\\VEN_%04X&DEV_%04X&SUBSYS_%08X&REV_%02X",
                static_cast<unsigned>(swapped ? id.device : id.vendor),
                static_cast<unsigned>(swapped ? id.vendor : id.device), static_cast<unsigned>(random.Next()),
                random.Below(256));
  id.text =
      std::string(random.OneIn(4) ? random.Below(static_cast<uint32_t>(129 - std::strlen(text))) : 0, 'x') +
      text;
  if (pick < 8) return id;
  FuzzBytes bytes(id.text.begin(), id.text.end());
  MutateBytes(&bytes, random, kTokens, 1 + random.Below(5), 160);
  return {std::string(bytes.begin(), bytes.end()), false, 0, 0};
}

bool HasTag(const char* field, const char* tag) {
  return std::string(field, strnlen(field, 128)).find(tag) != std::string::npos;
}

bool SetUp() { return MakeFuzzGuard(&g_record, kThroughDeviceId); }

void Run(FuzzCase& fuzzCase) {
  FuzzRandom& random = fuzzCase.random();
  std::vector<BYTE> bytes(kThroughDeviceId, 0);
  random.Fill(bytes.data(), offsetof(DISPLAY_DEVICEA, DeviceID));
  const DeviceId id = MakeDeviceId(random);
  char* field = reinterpret_cast<char*>(bytes.data() + offsetof(DISPLAY_DEVICEA, DeviceID));
  std::memcpy(field, id.text.data(), id.text.size() < 128 ? id.text.size() : 128);  // 128 leave no terminator
  fuzzCase.RecordInput(bytes.data(), bytes.size());

  // Only the record's first 296 bytes exist; the parser reads no further.
  const auto* device = reinterpret_cast<const DISPLAY_DEVICEA*>(g_record->Place(bytes.data(), bytes.size()));
  uint32_t vendor = 0xDEAD, deviceId = 0xBEEF;
  bool parsed = false;
  {
    GuardedHeapScope heap;
    parsed = ParsePciIds(*device, &vendor, &deviceId);
  }
  if (parsed != (field[0] != '\0') || (id.known && (vendor != id.vendor || deviceId != id.device)))
    return fuzzCase.Break("\"%.128s\" parsed %d as %04x/%04x", field, parsed, vendor, deviceId);
  // A tag the text lacks reads 0; four characters in base 16 by strtol
  // rules lie within -0xFFF..0xFFFF.
  for (const auto& [tag, value] : {std::make_pair("VEN_", vendor), std::make_pair("DEV_", deviceId)}) {
    if (((!parsed || !HasTag(field, tag)) && value != 0) || (value > 0xFFFF && value < 0xFFFFF001u))
      fuzzCase.Break("\"%.128s\" gave %s%x", field, tag, value);
  }
}

}  // namespace

const FuzzTarget kPciIdsTarget = {"pci_ids", SetUp, Run, nullptr};
