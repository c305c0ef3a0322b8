#include "probe/wmi_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>


namespace {

WmiValue Null() { return WmiValue{}; }
WmiValue Text(const std::wstring& text) { return WmiValue{false, text}; }

struct OsNameCase {
  const char* name;
  WmiValue caption;
  WmiValue servicePack;
  std::string expected;
};

TEST(WmiTextTest, OsNameJoinsCaptionAndServicePackWithSymbolsSpelledOut) {
  const std::vector<OsNameCase> cases = {
      {"SymbolsReplaced", Text(L"Microsoft\u00AE Windows Vista\u2122 Business"), Text(L"Service Pack 2"),
       "Microsoft(R) Windows Vista(TM) Business Service Pack 2"},
      {"CopyrightReplaced", Text(L"\u00A9 Windows 7"), Text(L"Service Pack 1"), "(C) Windows 7 Service Pack 1"},
      {"AllThreeAdjacent", Text(L"\u00A9\u00AE\u2122"), Text(L""), "(C)(R)(TM) "},
      {"NullServicePackEndsWithBlank", Text(L"Microsoft Windows 7 Home Premium"), Null(),
       "Microsoft Windows 7 Home Premium "},
      {"TrailingBlankOfCaptionStays", Text(L"Microsoft Windows 7 Ultimate "), Text(L"Service Pack 1"),
       "Microsoft Windows 7 Ultimate  Service Pack 1"},
      {"NullCaptionStartsWithBlank", Null(), Text(L"Service Pack 1"), " Service Pack 1"},
      {"BothNull", Null(), Null(), " "},
      {"JapaneseInCodePage932", Text(L"Windows 7 \u65E5\u672C\u8A9E\u7248"), Text(L"\u30B5\u30FC\u30D3\u30B9"),
       "Windows 7 日本語版 サービス"},
      {"EmbeddedNullEndsText", Text(std::wstring(L"Windows 7\0junk", 14)), Text(std::wstring(L"SP1\0x", 5)),
       "Windows 7 SP1"},
      {"DoubleByteAtTheCutStaysWhole", Text(std::wstring(508, L'A') + L"\u65E5\u672C"), Text(L"\uFF21\\"),
       std::string(508, 'A') + "\x93\xFA \x82\x60\\"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ComposeOsName(c.caption, c.servicePack), c.expected) << c.name;
  }
}

std::wstring Repeated(const wchar_t* text, int times) {
  std::wstring out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

// At most 509 units are read and 511 written, a replacement cut where the
// area ends.
TEST(WmiTextTest, CaptionStaysInsideItsWorkAreas) {
  const std::wstring a508(508, L'A');
  const struct {
    std::wstring caption;
    std::wstring expected;
  } cases[] = {
      {std::wstring(600, L'A'), std::wstring(509, L'A')},
      {a508 + L"B", a508 + L"B"},
      {a508 + L"BC\u2122", a508 + L"B"},
      {a508 + L"\u2122", a508 + L"(TM"},
      {a508.substr(1) + L"\u00AE", a508.substr(1) + L"(R)"},
      {std::wstring(509, L'\u2122'), Repeated(L"(TM)", 127) + L"(TM"},
      {std::wstring(509, L'\u00A9'), Repeated(L"(C)", 170) + L"("},
      {std::wstring(L"Windows\0\u00A9", 9), L"Windows"},
      {L"", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReplaceCaptionSymbols(c.caption), c.expected) << c.caption.size() << " units";
  }
}

struct ClockCase {
  const char* clockText;
  const char* expected;
};

TEST(WmiTextTest, ClockReadsMegahertzBelowOneThousandAndGigahertzFromIt) {
  const std::vector<ClockCase> cases = {
      {"999", "999 MHz"},       {"1000", "1.00 GHz"},      {"2667", "2.67 GHz"},
      {"", "0 MHz"},            {"0", "0 MHz"},            {"  3200", "3.20 GHz"},
      {"2400abc", "2.40 GHz"},  {"x2400", "0 MHz"},        {"-5", "-5 MHz"},
      {"1995", "2.00 GHz"},     {"99999999999", "2147483.65 GHz"}, {"-99999999999", "-2147483648 MHz"},
      {"+2400", "2.40 GHz"},    {"\t\n\v\f\r 800", "800 MHz"},
      // Single precision on the way: the exact 268435.471 would show .47.
      {"268435471", "268435.46 GHz"},
      // Then double: 1.005 is stored as 1.00499999999999989..., so no .01.
      {"1005", "1.00 GHz"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatClockText(c.clockText), c.expected) << '"' << c.clockText << '"';
  }
}

struct CpuCase {
  std::string name;
  const char* clock;
  std::string expected;
};

TEST(WmiTextTest, ProcessorNameLosesLeadingBlanksOnlyAndGetsOneBlankBeforeTheClock) {
  const std::vector<CpuCase> cases = {
      {"Intel(R) Core(TM)2 Duo CPU     E8400  @ 3.00GHz", "2997",
       "Intel(R) Core(TM)2 Duo CPU     E8400  @ 3.00GHz 3.00 GHz"},
      {"          Intel(R) Pentium(R) 4 CPU 2.80GHz", "2800", "Intel(R) Pentium(R) 4 CPU 2.80GHz 2.80 GHz"},
      {" \t\n\v\f\rAMD Phenom  ", "2600", "AMD Phenom   2.60 GHz"},
      {"", "999", " 999 MHz"},
      {"Celeron", "", "Celeron 0 MHz"},
      {"   ", "1000", " 1.00 GHz"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ComposeCpuName(c.name, c.clock), c.expected) << '"' << c.name << '"';
  }
}

TEST(WmiTextTest, MemoryTextsAndCapacities) {
  EXPECT_EQ(ComposeTotalMemoryText("4294967296"), "4294967296 Byte");
  EXPECT_EQ(ComposeTotalMemoryText(""), " Byte");

  struct CapacityCase {
    const char* text;
    double expected;
  };
  const std::vector<CapacityCase> cases = {
      {"2147483648", 2147483648.0}, {"8589934592", 8589934592.0}, {"", 0.0},
      {"abc", 0.0},                 {" 1024", 1024.0},            {"512MB", 512.0},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseCapacity(c.text), c.expected) << '"' << c.text << '"';
}

TEST(WmiTextTest, VariantsTurnIntoText) {
  const BSTR name = SysAllocString(L"NVIDIA GeForce 9300 GE");
  const struct {
    VARTYPE type;
    LONGLONG bits;         // the value's eight bytes; for VT_BSTR its pointer
    const wchar_t* text;  // null: a null value
  } cases[] = {
      {VT_NULL, 0, nullptr},
      {VT_EMPTY, 0, L""},
      {VT_BSTR, reinterpret_cast<LONGLONG>(name), L"NVIDIA GeForce 9300 GE"},
      {VT_BSTR, 0, L""},
      {VT_I4, 2667, L"2667"},
      {VT_I4, 0xFFFFFFFB, L"-5"},
      {VT_UI4, 0xFFFFFFFF, L"4294967295"},
      {VT_UI8, 4294967296ll, L"4294967296"},
  };
  for (const auto& c : cases) {
    VARIANT value;
    VariantInit(&value);
    value.vt = c.type;
    value.llVal = c.bits;
    const WmiValue read = WmiValueFromVariant(value);
    EXPECT_EQ(read.isNull, !c.text) << "vt " << c.type;
    EXPECT_EQ(read.text, c.text ? c.text : L"") << "vt " << c.type;
  }
  SysFreeString(name);
}

struct PnpCase {
  const char* name;
  std::string wanted;
  WmiValue row;
  bool matches;
};

TEST(WmiTextTest, PnpIdsMatchCaseInsensitivelyOverTheShorterLength) {
  const std::string deviceId = "PCI\\VEN_10DE&DEV_0622&SUBSYS_00000000&REV_A2";
  const std::vector<PnpCase> cases = {
      {"SameId", deviceId, Text(L"PCI\\VEN_10DE&DEV_0622&SUBSYS_00000000&REV_A2"), true},
      {"DisplayIdIsPrefixOfRowId", deviceId, Text(L"PCI\\VEN_10DE&DEV_0622&SUBSYS_00000000&REV_A2\\4&1C0F&0&0010"),
       true},
      {"RowIdIsPrefixOfDisplayId", deviceId, Text(L"PCI\\VEN_10DE"), true},
      {"LetterCaseDiffers", "pci\\ven_10de&dev_0622", Text(L"PCI\\VEN_10DE&DEV_0622&SUBSYS_1"), true},
      {"HexCaseDiffers", "PCI\\VEN_1002&DEV_95C5", Text(L"pci\\ven_1002&dev_95c5"), true},
      {"OtherDevice", deviceId, Text(L"PCI\\VEN_10DE&DEV_0623&SUBSYS_00000000&REV_A2"), false},
      {"EmptyWantedId", "", Text(L"PCI\\VEN_8086&DEV_2E12"), true},
      {"EmptyRowId", deviceId, Text(L""), true},
      {"NullRowIdNeverMatches", deviceId, Null(), false},
      {"NullRowIdEvenForEmptyWanted", "", Null(), false},
      // A trail byte that looks like 'a' must not be upper-cased into 'A'.
      {"DoubleByteTrailUntouched", "ヂ", Text(L"\u30A2"), false},
      {"DoubleByteEqual", "ROOT\\ア", Text(L"root\\\u30A2"), true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PnpRowMatches(c.wanted, c.row), c.matches) << c.name;
  }
}

}  // namespace
