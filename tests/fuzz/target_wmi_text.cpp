#include <windows.h>
// The platform headers below build on windows.h.
#include <oleauto.h>

#include <cstring>
#include <string>
#include <vector>

#include "probe/wmi_text.h"
#include "tests/fuzz/fuzz_mutate.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/guarded_heap.h"

namespace {

GuardedBuffer* g_bstr = nullptr;

std::vector<uint8_t> Serialise(uint32_t kind, const void* first, size_t firstSize, const void* second,
                               size_t secondSize) {
  std::vector<uint8_t> out(12 + firstSize + secondSize);
  const uint32_t header[3] = {kind, static_cast<uint32_t>(firstSize), static_cast<uint32_t>(secondSize)};
  std::memcpy(out.data(), header, 12);
  if (firstSize) std::memcpy(out.data() + 12, first, firstSize);
  if (secondSize) std::memcpy(out.data() + 12 + firstSize, second, secondSize);
  return out;
}

size_t PickLength(FuzzRandom& random) {
  const uint32_t pick = random.Below(8);
  // Now and then around the work areas' 509 and 511, or long; mostly short.
  return pick == 0 ? 505 + random.Below(12) : pick == 1 ? random.Below(1100) : random.Below(24);
}

// Letters, kana, kanji, the replaced symbols, a null, surrogates, and any unit.
std::wstring RandomWide(FuzzRandom& random) {
  const wchar_t units[] = {L'A',   L'z',   L' ',   L'\\', 0x3042, 0x65E5, 0xFF21,
                           0x00A9, 0x00AE, 0x2122, 0,     0xD83D, 0xDE00};
  std::wstring text(PickLength(random), L' ');
  for (wchar_t& unit : text) {
    const uint32_t pick = random.Below(sizeof(units) / sizeof(units[0]) + 1);
    unit = pick < sizeof(units) / sizeof(units[0]) ? units[pick] : static_cast<wchar_t>(random.Next());
  }
  return text;
}

std::string RandomNarrow(FuzzRandom& random) {
  std::string text(PickLength(random), ' ');
  const char alphabet[] = " \t\n\v\f\r+-0123456789.eExXabcVEN_DEV&\\PCI";
  for (char& c : text) {
    c = random.OneIn(6) ? static_cast<char>(random.Next()) : alphabet[random.Below(sizeof(alphabet) - 1)];
  }
  return text;
}

void RunVariant(FuzzCase& fuzzCase, FuzzRandom& random) {
  VARIANT value;
  VariantInit(&value);
  const VARTYPE types[] = {VT_NULL, VT_EMPTY, VT_BSTR, VT_BSTR, VT_BSTR,  VT_I1,     VT_I2,   VT_I4,
                           VT_I8,   VT_UI1,   VT_UI2,  VT_UI4,  VT_UI8,   VT_INT,    VT_UINT, VT_R4,
                           VT_R8,   VT_BOOL,  VT_CY,   VT_DATE, VT_ERROR, VT_DECIMAL};
  value.vt = types[random.Below(sizeof(types) / sizeof(types[0]))];
  const uint64_t bits = random.Next();
  std::wstring units;
  if (value.vt == VT_BSTR) {
    units = RandomWide(random);
    // As SysAllocStringLen lays it out: the byte count, the units, a null unit.
    std::vector<uint8_t> layout(4 + 2 * units.size() + 2, 0);
    const uint32_t bytes = static_cast<uint32_t>(2 * units.size());
    std::memcpy(layout.data(), &bytes, 4);
    if (!units.empty()) std::memcpy(layout.data() + 4, units.data(), bytes);
    fuzzCase.RecordInput(layout.data(), layout.size());
    BYTE* placed = g_bstr->Place(layout.data(), layout.size(), fuzzCase.placement());
    value.bstrVal = random.OneIn(32) ? nullptr : reinterpret_cast<BSTR>(placed + 4);
  } else if (value.vt == VT_DECIMAL) {
    random.Fill(&value.decVal, sizeof(value.decVal));
    value.decVal.scale %= 29;
    value.decVal.sign &= DECIMAL_NEG;
    value.vt = VT_DECIMAL;
    fuzzCase.RecordInput(&value, sizeof(value));
  } else {
    std::memcpy(&value.llVal, &bits, sizeof(bits));
    if (value.vt == VT_R8 && !(value.dblVal == value.dblVal)) value.dblVal = 0;
    if (value.vt == VT_R4 && !(value.fltVal == value.fltVal)) value.fltVal = 0;
    fuzzCase.RecordInput(&value, sizeof(value));
  }
  WmiValue text;
  {
    GuardedHeapScope heap;
    text = WmiValueFromVariant(value);
  }
  if (value.vt == VT_NULL) {
    if (!text.isNull || !text.text.empty()) fuzzCase.Break("VT_NULL gave text");
    return;
  }
  if (text.isNull) return fuzzCase.Break("vt %u gave null", value.vt);
  if (value.vt == VT_BSTR && text.text != (value.bstrVal ? units : std::wstring())) {
    return fuzzCase.Break("a BSTR of %u units came back as %u", static_cast<unsigned>(units.size()),
                          static_cast<unsigned>(text.text.size()));
  }
}

// The texts run on inputs against no-access pages; their values are pinned
// by tests/probe/wmi_text_test.cpp. What is checked here holds for any input.
void RunCaption(FuzzCase& fuzzCase, FuzzRandom& random) {
  const std::wstring caption = RandomWide(random);
  const std::wstring pack = RandomWide(random);
  const std::vector<uint8_t> input =
      Serialise(1, caption.data(), 2 * caption.size(), pack.data(), 2 * pack.size());
  fuzzCase.RecordInput(input.data(), input.size());
  std::wstring replaced;
  {
    GuardedHeapScope heap;
    const std::wstring guardedCaption(caption);
    replaced = ReplaceCaptionSymbols(guardedCaption);
    ComposeOsName(WmiValue{random.OneIn(8), caption}, WmiValue{random.OneIn(8), pack});
  }
  if (replaced.size() > 511)
    fuzzCase.Break("a caption of %u units became %u", static_cast<unsigned>(caption.size()),
                   static_cast<unsigned>(replaced.size()));
}

void RunNumbers(FuzzCase& fuzzCase, FuzzRandom& random) {
  std::string clock = RandomNarrow(random);
  if (random.OneIn(3)) clock = std::to_string(static_cast<int64_t>(random.Between(-5000, 5000000000ll)));
  const std::string name = RandomNarrow(random);
  std::string capacity =
      random.OneIn(2) ? std::to_string(random.Next() % 1000000000000000ull) : RandomNarrow(random);
  const std::vector<uint8_t> input = Serialise(2, clock.data(), clock.size(), name.data(), name.size());
  fuzzCase.RecordInput(input.data(), input.size());
  GuardedHeapScope heap;
  const std::string guardedClock(clock);
  const std::string guardedName(name);
  const std::string guardedCapacity(capacity);
  ComposeCpuName(guardedName, guardedClock);
  ComposeTotalMemoryText(guardedCapacity);
  ParseCapacity(guardedCapacity);
}

void RunPnp(FuzzCase& fuzzCase, FuzzRandom& random) {
  std::string wanted = RandomNarrow(random);
  std::string row = random.OneIn(2) ? wanted : RandomNarrow(random);
  for (std::string* text : {&wanted, &row}) {
    if (random.OneIn(2)) {
      for (char& c : *text) {
        if (random.OneIn(4) && c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
      }
    }
    if (random.OneIn(3) && !text->empty()) text->resize(random.Below(static_cast<uint32_t>(text->size())));
    if (random.OneIn(4)) text->push_back(static_cast<char>(0x81 + random.Below(0x1F)));
  }
  const std::vector<uint8_t> input = Serialise(3, wanted.data(), wanted.size(), row.data(), row.size());
  fuzzCase.RecordInput(input.data(), input.size());
  bool forward = false, backward = false, nullMatch = true;
  {
    GuardedHeapScope heap;
    const std::string guardedWanted(wanted);
    const std::string guardedRow(row);
    forward = PnpDeviceIdsMatch(guardedWanted, guardedRow);
    backward = PnpDeviceIdsMatch(guardedRow, guardedWanted);
    nullMatch = PnpRowMatches(guardedWanted, WmiValue{});
    PnpRowMatches(guardedWanted, WmiValue{false, std::wstring(row.begin(), row.end())});
  }
  if (forward != backward)
    fuzzCase.Break("ids of %u and %u bytes match one way only", static_cast<unsigned>(wanted.size()),
                   static_cast<unsigned>(row.size()));
  if (nullMatch) fuzzCase.Break("a null PNPDeviceID matched");
}

bool SetUp() { return MakeFuzzGuard(&g_bstr, 8192); }

void Run(FuzzCase& fuzzCase) {
  void (*const runs[])(FuzzCase&, FuzzRandom&) = {RunVariant, RunCaption, RunNumbers, RunPnp};
  runs[fuzzCase.random().Below(4)](fuzzCase, fuzzCase.random());
}

}  // namespace

const FuzzTarget kWmiTextTarget = {"wmi_text", SetUp, Run, nullptr};
