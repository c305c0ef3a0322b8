#include <windows.h>
// The platform headers below build on windows.h.
#include <oleauto.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "probe/wmi_text.h"
#include "tests/fuzz/fuzz_mutate.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/guarded_heap.h"

namespace {

GuardedBuffer* g_bstr = nullptr;
bool g_japanese = false;

// Units whose code page 932 bytes are known, so the conversion can be
// checked against a table rather than against itself.
struct KnownUnit {
  wchar_t unit;
  const char* bytes;
};
const KnownUnit kKnown[] = {{L'A', "A"},          {L'z', "z"},          {L'0', "0"},
                            {L' ', " "},          {L'\\', "\\"},        {L'&', "&"},
                            {0x3042, "\x82\xA0"}, {0x65E5, "\x93\xFA"}, {0x672C, "\x96\x7B"},
                            {0xFF21, "\x82\x60"}, {L'(', "("},          {L'_', "_"}};
constexpr uint32_t kKnownCount = sizeof(kKnown) / sizeof(kKnown[0]);

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
  switch (random.Below(8)) {
    case 0:
      return 505 + random.Below(12);  // around the work areas' 509 and 511
    case 1:
      return random.Below(1100);
    default:
      return random.Below(24);
  }
}

std::wstring RandomWide(FuzzRandom& random, bool knownOnly) {
  std::wstring text(PickLength(random), L' ');
  for (wchar_t& unit : text) {
    const uint32_t pick = random.Below(knownOnly ? kKnownCount : kKnownCount + 8);
    if (pick < kKnownCount) {
      unit = kKnown[pick].unit;
      continue;
    }
    const wchar_t odd[] = {0x00A9, 0x00AE, 0x2122, 0, 0xD83D, 0xDE00, 0x00E9};
    unit = pick - kKnownCount < 7 ? odd[pick - kKnownCount] : static_cast<wchar_t>(random.Next());
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

// The caption rule, written apart: replacements over the first 509 units of
// the text up to its first null, the whole cut at 511 units.
std::wstring ReferenceCaption(const std::wstring& caption) {
  std::wstring out;
  for (size_t i = 0; i < caption.size() && i < 509 && caption[i]; ++i) {
    if (caption[i] == 0x00A9) {
      out += L"(C)";
    } else if (caption[i] == 0x00AE) {
      out += L"(R)";
    } else if (caption[i] == 0x2122) {
      out += L"(TM)";
    } else {
      out += caption[i];
    }
  }
  return out.substr(0, 511);
}

std::string ReferenceAnsi(const std::wstring& text) {
  std::string out;
  for (wchar_t unit : text) {
    if (!unit) break;
    for (const KnownUnit& known : kKnown) {
      if (known.unit == unit) out += known.bytes;
    }
  }
  return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::string ReferenceClock(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min<long long>(value * 10 + (text[i] - '0'), 1ll << 40);
  }
  if (negative) value = -value;
  const int megahertz = static_cast<int>(std::max<long long>(std::min<long long>(value, INT_MAX), INT_MIN));
  char out[64];
  if (megahertz < 1000) {
    std::snprintf(out, sizeof(out), "%d MHz", megahertz);
  } else {
    std::snprintf(out, sizeof(out), "%1.2f GHz", static_cast<double>(static_cast<float>(megahertz)) / 1000.0);
  }
  return out;
}

bool IsLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

std::string ReferenceUpper(const std::string& text) {
  std::string out = text;
  for (size_t i = 0; i < out.size(); ++i) {
    const auto c = static_cast<unsigned char>(out[i]);
    if (IsLead(c) && i + 1 < out.size()) {
      ++i;
    } else if (c >= 'a' && c <= 'z') {
      out[i] = static_cast<char>(c - 32);
    }
  }
  return out;
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
    units = RandomWide(random, false);
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
  if (value.vt == VT_I4 || value.vt == VT_UI4) {
    const std::wstring digits = value.vt == VT_I4 ? std::to_wstring(value.lVal)
                                                  : std::to_wstring(static_cast<unsigned long>(value.ulVal));
    if (text.text != digits) fuzzCase.Break("a 32-bit number did not become its decimal digits");
  }
}

void RunCaption(FuzzCase& fuzzCase, FuzzRandom& random) {
  const std::wstring caption = RandomWide(random, random.OneIn(2));
  const std::wstring pack = RandomWide(random, true);
  const std::vector<uint8_t> input =
      Serialise(1, caption.data(), 2 * caption.size(), pack.data(), 2 * pack.size());
  fuzzCase.RecordInput(input.data(), input.size());
  const bool captionNull = random.OneIn(8);
  const bool packNull = random.OneIn(8);
  std::wstring replaced;
  std::string name;
  std::string packText;
  {
    GuardedHeapScope heap;
    const std::wstring guardedCaption(caption);
    replaced = ReplaceCaptionSymbols(guardedCaption);
    WmiValue captionValue;
    captionValue.isNull = captionNull;
    captionValue.text = caption;
    WmiValue packValue;
    packValue.isNull = packNull;
    packValue.text = pack;
    name = ComposeOsName(captionValue, packValue);
    packText = WmiTextToCp932(pack);
  }
  if (replaced != ReferenceCaption(caption)) {
    return fuzzCase.Break("caption of %u units: %u units, the rule gives %u",
                          static_cast<unsigned>(caption.size()), static_cast<unsigned>(replaced.size()),
                          static_cast<unsigned>(ReferenceCaption(caption).size()));
  }
  if (g_japanese && packText != ReferenceAnsi(pack))
    return fuzzCase.Break("the code page 932 text is not the table's");
  const std::string expectedPack = packNull ? std::string() : packText;
  if (name.size() < expectedPack.size() + 1 ||
      name.compare(name.size() - expectedPack.size(), std::string::npos, expectedPack) != 0 ||
      name[name.size() - expectedPack.size() - 1] != ' ') {
    return fuzzCase.Break("the OS name does not end in a blank and the service pack");
  }
  if (captionNull && name.size() != expectedPack.size() + 1) fuzzCase.Break("a null caption left text");
}

void RunNumbers(FuzzCase& fuzzCase, FuzzRandom& random) {
  std::string clock = RandomNarrow(random);
  if (random.OneIn(3)) clock = std::to_string(static_cast<int64_t>(random.Between(-5000, 5000000000ll)));
  const std::string name = RandomNarrow(random);
  std::string capacity =
      random.OneIn(2) ? std::to_string(random.Next() % 1000000000000000ull) : RandomNarrow(random);
  const std::vector<uint8_t> input = Serialise(2, clock.data(), clock.size(), name.data(), name.size());
  fuzzCase.RecordInput(input.data(), input.size());
  std::string clockText, cpuName, memory;
  double bytes = 0;
  {
    GuardedHeapScope heap;
    const std::string guardedClock(clock);
    const std::string guardedName(name);
    const std::string guardedCapacity(capacity);
    clockText = FormatClockText(guardedClock);
    cpuName = ComposeCpuName(guardedName, guardedClock);
    memory = ComposeTotalMemoryText(guardedCapacity);
    bytes = ParseCapacity(guardedCapacity);
  }
  const std::string wantedClock = ReferenceClock(clock);
  if (clockText != wantedClock) {
    return fuzzCase.Break("clock text \"%.40s\" gave \"%s\", the rule \"%s\"", clock.c_str(),
                          clockText.c_str(), wantedClock.c_str());
  }
  size_t start = 0;
  while (start < name.size() && IsBlank(name[start])) ++start;
  if (cpuName != name.substr(start) + " " + wantedClock)
    return fuzzCase.Break("processor name differs from the rule");
  if (memory != capacity + " Byte") return fuzzCase.Break("memory text differs");
  const bool digitsOnly = !capacity.empty() && capacity.size() <= 15 &&
                          capacity.find_first_not_of("0123456789") == std::string::npos;
  if (digitsOnly && bytes != static_cast<double>(std::stoull(capacity))) {
    fuzzCase.Break("capacity %s read as %.0f", capacity.c_str(), bytes);
  }
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
  bool forward = false, backward = false, rowMatch = false, nullMatch = true;
  const std::wstring rowWide(row.begin(), row.end());
  {
    GuardedHeapScope heap;
    const std::string guardedWanted(wanted);
    const std::string guardedRow(row);
    forward = PnpDeviceIdsMatch(guardedWanted, guardedRow);
    backward = PnpDeviceIdsMatch(guardedRow, guardedWanted);
    WmiValue nullRow;
    nullMatch = PnpRowMatches(guardedWanted, nullRow);
    WmiValue asciiRow;
    asciiRow.isNull = false;
    asciiRow.text = rowWide;
    rowMatch = PnpRowMatches(guardedWanted, asciiRow);
  }
  const size_t n = std::min(wanted.size(), row.size());
  const bool rule = ReferenceUpper(wanted.substr(0, n)) == ReferenceUpper(row.substr(0, n));
  if (forward != rule || backward != rule) {
    return fuzzCase.Break("ids of %u and %u bytes: %d/%d, the rule %d", static_cast<unsigned>(wanted.size()),
                          static_cast<unsigned>(row.size()), forward, backward, rule);
  }
  if (nullMatch) return fuzzCase.Break("a null PNPDeviceID matched");
  const bool ascii =
      std::all_of(row.begin(), row.end(), [](char c) { return static_cast<unsigned char>(c) - 1u < 0x7Fu; });
  if (ascii && rowMatch != rule)
    fuzzCase.Break("a row of plain text matched %d, the rule %d", rowMatch, rule);
}

bool SetUp() {
  static GuardedBuffer bstr(8192);
  g_bstr = &bstr;
  RegisterFuzzGuard(&bstr);
  g_japanese = GetACP() == 932;
  return bstr.ok();
}

void TearDown() {}

void Run(FuzzCase& fuzzCase) {
  FuzzRandom& random = fuzzCase.random();
  switch (random.Below(4)) {
    case 0:
      return RunVariant(fuzzCase, random);
    case 1:
      return RunCaption(fuzzCase, random);
    case 2:
      return RunNumbers(fuzzCase, random);
    default:
      return RunPnp(fuzzCase, random);
  }
}

}  // namespace

const FuzzTarget kWmiTextTarget = {"wmi_text", SetUp, Run, TearDown};
