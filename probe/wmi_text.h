#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

// The text conversions of the WMI queries, kept apart from COM so that they
// can be driven with hand-made UTF-16 input.

// One property as WMI delivered it: null, or its UTF-16 text.
struct WmiValue {
  bool isNull = true;
  std::wstring text;
};

// VT_NULL is null; VT_BSTR is taken as it is; anything else goes through
// VariantChangeType to VT_BSTR (numbers become decimal digits). A value that
// cannot be turned into text reads as empty text.
WmiValue WmiValueFromVariant(const VARIANT& value);

// UTF-16 to code page 932, with the best fit a Japanese system gives and
// "?" for what 932 lacks, whatever the system's own code page is.
std::string WmiTextToCp932(const std::wstring& text);

// Size of the caption work areas in UTF-16 units, terminator included.
constexpr size_t kCaptionWorkUnits = 512;
// The scan of the caption stops after this many units.
constexpr size_t kCaptionScanUnits = 509;

// Spells out U+00A9, U+00AE and U+2122 as "(C)", "(R)" and "(TM)". The text
// is read up to its first null and bounded by the work areas: at most 509
// units are scanned and the result holds at most 511 units.
std::wstring ReplaceCaptionSymbols(const std::wstring& caption);

// "<caption> <service pack>" from the raw caption and service-pack values.
std::string ComposeOsName(const WmiValue& caption, const WmiValue& servicePack);

// "%d MHz" below 1000 MHz, "%1.2f GHz" from 1000 MHz on; the text is parsed
// with strtol rules (a null clock reads 0 MHz).
std::string FormatClockText(const std::string& clockText);

// "<name without leading white space> <clock text>".
std::string ComposeCpuName(const std::string& name, const std::string& clockText);

// "<byte count> Byte".
std::string ComposeTotalMemoryText(const std::string& byteCount);

// A module capacity in bytes, by atof rules (0.0 for non-numeric text).
double ParseCapacity(const std::string& capacityText);

// Case-insensitive comparison over the shorter of the two lengths (in bytes
// of the code page 932 text), so an ID that is a prefix of the other matches.
bool PnpDeviceIdsMatch(const std::string& wantedId, const std::string& rowId);

// One WMI row against the wanted ID: a null PNPDeviceID never matches.
bool PnpRowMatches(const std::string& wantedId, const WmiValue& rowId);
