#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "probe/display_device.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/guarded_heap.h"

namespace {

// A key of our own in the fuzz prefix, reached the way a driver key is: through a DeviceKey.
const char kKeyPath[] = "System\\SolarioFuzz\\Video";
const char kDeviceKey[] = "\\Registry\\Machine\\System\\SolarioFuzz\\Video";
const char kValueName[] = "HardwareInformation.MemorySize";
// One case in this many also goes through the real registry.
constexpr uint64_t kRegistryEvery = 8;

GuardedBuffer* g_value = nullptr;
GuardedBuffer* g_record = nullptr;
HKEY g_key = nullptr;

int Rule(const std::vector<BYTE>& value, bool* read) {
  *read = value.size() <= 4;
  return *read && value.size() == 4 ? value[3] * 16 : 0;
}

#pragma pack(push, 1)
struct Plan {
  uint32_t type;
  uint32_t length;
  BYTE bytes[32];
};
#pragma pack(pop)

void RunRegistry(FuzzCase& fuzzCase, const Plan& plan) {
  if (RegSetValueExA(g_key, kValueName, 0, plan.type, plan.bytes, plan.length) != ERROR_SUCCESS) return;
  // What the registry hands out for the value, read with room to spare.
  BYTE stored[256] = {};
  DWORD storedSize = sizeof(stored);
  const LONG status = RegQueryValueExA(g_key, kValueName, nullptr, nullptr, stored, &storedSize);
  DISPLAY_DEVICEA device = {};
  std::memcpy(device.DeviceKey, kDeviceKey, sizeof(kDeviceKey));
  const auto* placed = reinterpret_cast<const DISPLAY_DEVICEA*>(g_record->Place(&device, sizeof(device)));
  int megabytes = -1;
  bool read = false;
  {
    GuardedHeapScope heap;
    read = GetRegistryVideoMemory(*placed, &megabytes);
  }
  if (status != ERROR_SUCCESS) return;
  bool wanted = false;
  const int wantedMegabytes = Rule(std::vector<BYTE>(stored, stored + storedSize), &wanted);
  if (read != wanted || megabytes != wantedMegabytes) {
    fuzzCase.Break("type %u, %u bytes stored, %u read back: %d with %d MB, wanted %d with %d", plan.type,
                   plan.length, static_cast<unsigned>(storedSize), read, megabytes, wanted, wantedMegabytes);
  }
}

bool SetUp() {
  return MakeFuzzGuard(&g_value, 64) && MakeFuzzGuard(&g_record, sizeof(DISPLAY_DEVICEA)) &&
         RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &g_key,
                         nullptr) == ERROR_SUCCESS;
}

void TearDown() {
  if (!g_key) return;
  RegCloseKey(g_key);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKeyPath);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "System\\SolarioFuzz");
}

void Run(FuzzCase& fuzzCase) {
  FuzzRandom& random = fuzzCase.random();
  Plan plan = {};
  const DWORD types[] = {REG_DWORD,
                         REG_BINARY,
                         REG_NONE,
                         REG_SZ,
                         REG_EXPAND_SZ,
                         REG_MULTI_SZ,
                         REG_DWORD_BIG_ENDIAN,
                         REG_QWORD,
                         REG_LINK,
                         0x1234,
                         static_cast<DWORD>(random.Next())};
  plan.type = types[random.Below(sizeof(types) / sizeof(types[0]))];
  plan.length = random.OneIn(8) ? random.Below(33) : random.Below(9);
  random.Fill(plan.bytes, sizeof(plan.bytes));
  fuzzCase.RecordInput(&plan, sizeof(plan));

  const BYTE* value = g_value->Place(plan.bytes, plan.length, fuzzCase.placement());
  int megabytes = -1;
  bool read = false;
  {
    GuardedHeapScope heap;
    read = VideoMemoryFromRegistryValue(value, plan.length, &megabytes);
  }
  bool wanted = false;
  const int wantedMegabytes = Rule(std::vector<BYTE>(plan.bytes, plan.bytes + plan.length), &wanted);
  if (read != wanted || megabytes != wantedMegabytes) {
    return fuzzCase.Break("%u bytes: %d with %d MB, wanted %d with %d", plan.length, read, megabytes, wanted,
                          wantedMegabytes);
  }
  if (fuzzCase.index() % kRegistryEvery == 0) RunRegistry(fuzzCase, plan);
}

}  // namespace

const FuzzTarget kRegistryMemoryTarget = {"registry_memory", SetUp, Run, TearDown};
