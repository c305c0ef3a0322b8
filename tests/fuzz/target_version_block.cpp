#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "system/version_info.h"
#include "tests/fuzz/fuzz_mutate.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/guarded_heap.h"

namespace {

constexpr size_t kMaxBlock = 64 * 1024;

GuardedBuffer* g_block = nullptr;
FuzzBytes g_resource;  // this program's own version resource, as the file holds it
std::vector<std::string> g_fields;

// Where each node's three length and type words sit, found by walking the
// resource we built ourselves; the cases then bend exactly those words.
struct Node {
  size_t at;
  size_t keyAt;
  size_t end;
};

void CollectNodes(const FuzzBytes& r, size_t at, size_t end, std::vector<Node>* nodes) {
  while (at + 6 <= end) {
    const size_t length = GetLe16(r, at);
    if (length < 6 || at + length > end) return;
    const size_t keyAt = at + 6;
    nodes->push_back({at, keyAt, at + length});
    size_t key = keyAt;
    while (key + 1 < at + length && (r[key] || r[key + 1])) key += 2;
    const size_t valueAt = (key + 2 + 3) & ~size_t{3};
    const size_t valueBytes = GetLe16(r, at + 2) * (GetLe16(r, at + 4) ? 2 : 1);
    const size_t children = (valueAt + valueBytes + 3) & ~size_t{3};
    if (children < at + length) CollectNodes(r, children, at + length, nodes);
    at = (at + length + 3) & ~size_t{3};
  }
}

// The block as GetFileVersionInfoA lays out a resource of `resource.size()`
// bytes: the resource, "FE2X" after the length it claims, room behind.
FuzzBytes BlockOf(const FuzzBytes& resource, size_t size) {
  FuzzBytes block(size, 0);
  std::memcpy(block.data(), resource.data(), resource.size() < size ? resource.size() : size);
  if (resource.size() >= 2) {
    const size_t claimed = GetLe16(resource, 0);
    if (claimed + 4 <= size) std::memcpy(block.data() + claimed, "FE2X", 4);
  }
  return block;
}

size_t PlatformSize(size_t resourceSize) { return resourceSize * 2 + 4; }

bool SetUp() {
  if (!MakeFuzzGuard(&g_block, kMaxBlock)) return false;
  char path[MAX_PATH] = {};
  if (!GetModuleFileNameA(nullptr, path, sizeof(path))) return false;
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &handle);
  if (size < 6) return false;
  std::vector<char> whole(size);
  if (!GetFileVersionInfoA(path, handle, size, whole.data())) return false;
  const size_t length = static_cast<unsigned char>(whole[0]) | static_cast<unsigned char>(whole[1]) << 8;
  g_resource.assign(whole.begin(), whole.begin() + length);
  const CVersionInfo info(path);
  for (int i = 0; i < CVersionInfo::kFieldCount; ++i) g_fields.push_back(info.GetField(i));
  return !g_fields[CVersionInfo::kFileVersion].empty();
}

void Run(FuzzCase& fuzzCase) {
  FuzzRandom& random = fuzzCase.random();
  enum { kWhole, kCut, kBent, kMutated, kRandom } kind;
  const uint32_t pick = random.Below(16);
  kind = pick < 1 ? kWhole : pick < 4 ? kCut : pick < 10 ? kBent : pick < 14 ? kMutated : kRandom;
  FuzzBytes resource = g_resource;
  size_t size = PlatformSize(resource.size());
  if (kind == kCut) {
    resource.resize(random.Below(static_cast<uint32_t>(resource.size())));
    size = PlatformSize(resource.size());
  } else if (kind == kBent) {
    std::vector<Node> nodes;
    CollectNodes(resource, 0, resource.size(), &nodes);
    for (uint32_t round = 1 + random.Below(3); round > 0 && !nodes.empty(); --round) {
      const Node& node = nodes[random.Below(static_cast<uint32_t>(nodes.size()))];
      switch (random.Below(5)) {
        case 0:
          PutLe16(&resource, node.at, static_cast<uint16_t>(EdgeValue(random, GetLe16(resource, node.at))));
          break;
        case 1:
          PutLe16(&resource, node.at + 2,
                  static_cast<uint16_t>(EdgeValue(random, GetLe16(resource, node.at + 2))));
          break;
        case 2:
          PutLe16(&resource, node.at + 4, static_cast<uint16_t>(random.Below(4)));
          break;
        case 3:  // a key without its terminator, or one cut short
          for (size_t i = node.keyAt; i + 1 < node.end; i += 2) {
            if (!resource[i] && !resource[i + 1]) {
              PutLe16(&resource, i, random.OneIn(2) ? 'X' : 0);
              break;
            }
          }
          break;
        default:  // every unit of the node's tail made non-null
          for (size_t i = node.keyAt; i + 1 < node.end; i += 2) {
            if (random.OneIn(2)) PutLe16(&resource, i, 0x3042);
          }
          break;
      }
    }
    if (random.OneIn(4)) size = static_cast<size_t>(random.Below(static_cast<uint32_t>(size + 8)));
  } else if (kind == kMutated) {
    MutateBytes(&resource, random, {}, 1 + random.Below(8), kMaxBlock / 2 - 4);
    size = PlatformSize(resource.size());
  } else if (kind == kRandom) {
    resource = RandomBytes(random, 600);
    if (resource.size() >= 6 && random.OneIn(2)) {
      PutLe16(&resource, 0, static_cast<uint16_t>(resource.size()));
      PutLe16(&resource, 4, static_cast<uint16_t>(random.Below(2)));
    }
    size = PlatformSize(resource.size());
  }
  if (size > kMaxBlock) size = kMaxBlock;
  const FuzzBytes block = BlockOf(resource, size);
  fuzzCase.RecordInput(block.data(), block.size());

  char* placed = reinterpret_cast<char*>(g_block->Place(block.data(), block.size(), fuzzCase.placement()));
  std::vector<std::string> fields;
  {
    GuardedHeapScope heap;
    const CVersionInfo info(placed, block.size());
    for (int i = 0; i < CVersionInfo::kFieldCount; ++i) fields.push_back(info.GetField(i));
  }
  const size_t claimed = resource.size() >= 2 ? GetLe16(resource, 0) : 0;
  if (kind == kWhole && fields != g_fields) return fuzzCase.Break("the program's own block read differently");
  if (kind == kCut && resource.size() < claimed) {
    for (const std::string& field : fields) {
      if (!field.empty()) {
        return fuzzCase.Break("%u of the %u bytes the block claims gave the value \"%.40s\"",
                              static_cast<unsigned>(resource.size()), static_cast<unsigned>(claimed),
                              field.c_str());
      }
    }
  }
}

}  // namespace

const FuzzTarget kVersionBlockTarget = {"version_block", SetUp, Run, nullptr};
