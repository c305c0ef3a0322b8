#include "probe/wmi_text.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "handles/owner.h"
#include "text/cp932_text.h"
#include "text/wide_text.h"

namespace {

// A BSTR may carry embedded nulls; as text it ends at the first one.
size_t TextLength(const std::wstring& text) { return wcsnlen(text.c_str(), text.size()); }

const wchar_t* CaptionReplacement(wchar_t unit) {
  switch (unit) {
    case 0x00A9:
      return L"(C)";
    case 0x00AE:
      return L"(R)";
    case 0x2122:
      return L"(TM)";
    default:
      return nullptr;
  }
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Upper-cases single-byte letters and leaves both bytes of a double-byte
// character alone, so a trail byte that looks like 'a'..'z' stays as it is.
std::string UpperCaseMultibyte(std::string text) {
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (IsCp932LeadByte(c) && i + 1 < text.size()) {
      ++i;
      continue;
    }
    if (c >= 'a' && c <= 'z') text[i] = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

}  // namespace

WmiValue WmiValueFromVariant(const VARIANT& value) {
  WmiValue result;
  if (value.vt == VT_NULL) return result;
  result.isNull = false;
  if (value.vt == VT_BSTR) {
    if (value.bstrVal) result.text.assign(value.bstrVal, SysStringLen(value.bstrVal));
    return result;
  }
  OwnedVariant converted;
  VARIANT* target = converted.put();
  if (FAILED(VariantChangeType(target, const_cast<VARIANT*>(&value), 0, VT_BSTR))) return result;
  if (target->vt == VT_BSTR && target->bstrVal) {
    result.text.assign(target->bstrVal, SysStringLen(target->bstrVal));
  }
  return result;
}

std::string WmiTextToCp932(const std::wstring& text) {
  // Code page 932 whatever the system's code page for non-Unicode programs.
  return Cp932FromWide(text.data(), TextLength(text));
}

std::wstring ReplaceCaptionSymbols(const std::wstring& caption) {
  const size_t outputLimit = kCaptionWorkUnits - 1;
  const size_t scanned = std::min({TextLength(caption), kCaptionWorkUnits - 1, kCaptionScanUnits});
  std::wstring output;
  output.reserve(kCaptionWorkUnits);
  for (size_t i = 0; i < scanned && output.size() < outputLimit; ++i) {
    if (const wchar_t* replacement = CaptionReplacement(caption[i])) {
      output.append(replacement);
    } else {
      output.push_back(caption[i]);
    }
  }
  // A replacement near the end may run past the area: the area wins.
  if (output.size() > outputLimit) output.resize(outputLimit);
  return output;
}

std::string ComposeOsName(const WmiValue& caption, const WmiValue& servicePack) {
  std::string name;
  if (!caption.isNull) name = WmiTextToCp932(ReplaceCaptionSymbols(caption.text));
  name += ' ';
  if (!servicePack.isNull) name += WmiTextToCp932(servicePack.text);
  return name;
}

namespace {

// The clock's text is "%1.2f" of (double)(float)megahertz / 1000.0. The x87
// unit of the 32-bit build keeps excess precision through both steps, so it
// would not give what the SSE of the 64-bit build gives; both steps are done
// here in integers instead, and only the finished double reaches snprintf.
//
// The nearest value with a 24-bit significand, ties to even: what the
// conversion of a positive int to float gives.
uint32_t RoundToSingleSignificand(uint32_t value) {
  int bits = 0;
  while (bits < 32 && (value >> bits) != 0) ++bits;
  if (bits <= 24) return value;
  const int dropped = bits - 24;
  const uint32_t unit = 1u << dropped;
  const uint32_t low = value & (unit - 1);
  const uint32_t kept = value - low;
  const uint32_t half = unit >> 1;
  const bool up = low > half || (low == half && (kept & unit) != 0);
  // 2^32 is out of reach: value is at most INT_MAX, so kept + unit <= 2^31.
  return up ? kept + unit : kept;
}

// The double nearest to whole / 1000, ties to even, for 1000 <= whole <= 2^31:
// built from its exponent and significand, so no floating-point unit rounds it.
double NearestDoubleOfThousandth(uint32_t whole) {
  int exponent = 0;  // 2^exponent <= whole / 1000 < 2^(exponent + 1)
  while (static_cast<uint64_t>(whole) >= (1000ull << (exponent + 1))) ++exponent;
  // whole < 1000 * 2^(exponent + 1), so the scaled value stays below 2^63.
  const uint64_t scaled = static_cast<uint64_t>(whole) << (52 - exponent);
  uint64_t significand = scaled / 1000;
  const uint64_t remainder = scaled % 1000;
  if (remainder > 500 || (remainder == 500 && (significand & 1) != 0)) ++significand;
  if (significand == (1ull << 53)) {
    significand >>= 1;
    ++exponent;
  }
  const uint64_t bits = (static_cast<uint64_t>(exponent + 1023) << 52) | (significand & ((1ull << 52) - 1));
  double value;
  std::memcpy(&value, &bits, sizeof(value));
  return value;
}

}  // namespace

std::string FormatClockText(const std::string& clockText) {
  long parsed = std::strtol(clockText.c_str(), nullptr, 10);
  // long is 32 bits on Windows already; the clamp keeps the rule on any host.
  parsed = std::max<long>(std::min<long>(parsed, INT_MAX), INT_MIN);
  const int megahertz = static_cast<int>(parsed);
  char text[64];
  if (megahertz < 1000) {
    std::snprintf(text, sizeof(text), "%d MHz", megahertz);
  } else {
    const uint32_t single = RoundToSingleSignificand(static_cast<uint32_t>(megahertz));
    std::snprintf(text, sizeof(text), "%1.2f GHz", NearestDoubleOfThousandth(single));
  }
  return text;
}

std::string ComposeCpuName(const std::string& name, const std::string& clockText) {
  size_t start = 0;
  while (start < name.size() && IsBlank(name[start])) ++start;
  return name.substr(start) + ' ' + FormatClockText(clockText);
}

std::string ComposeTotalMemoryText(const std::string& byteCount) { return byteCount + " Byte"; }

double ParseCapacity(const std::string& capacityText) { return std::atof(capacityText.c_str()); }

bool PnpDeviceIdsMatch(const std::string& wantedId, const std::string& rowId) {
  const size_t length = std::min(wantedId.size(), rowId.size());
  return UpperCaseMultibyte(wantedId.substr(0, length)) == UpperCaseMultibyte(rowId.substr(0, length));
}

bool PnpRowMatches(const std::string& wantedId, const WmiValue& rowId) {
  return !rowId.isNull && PnpDeviceIdsMatch(wantedId, WmiTextToCp932(rowId.text));
}
