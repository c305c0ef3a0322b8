#include "probe/wmi_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "handles/owner.h"

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
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ComposeOsName(c.caption, c.servicePack), c.expected) << c.name;
  }
}

TEST(WmiTextTest, CaptionStaysInsideItsWorkAreas) {
  // Longer than the work area: only the first 509 units are scanned.
  EXPECT_EQ(ReplaceCaptionSymbols(std::wstring(600, L'A')), std::wstring(509, L'A'));
  EXPECT_EQ(ReplaceCaptionSymbols(std::wstring(509, L'A')), std::wstring(509, L'A'));
  // Every unit grows to four: the output is cut at 511 units, mid-replacement.
  std::wstring expected;
  for (int i = 0; i < 127; ++i) expected += L"(TM)";
  expected += L"(TM";
  EXPECT_EQ(ReplaceCaptionSymbols(std::wstring(509, L'\u2122')), expected);
  EXPECT_EQ(ReplaceCaptionSymbols(std::wstring(509, L'\u00A9')).size(), 511u);
  EXPECT_EQ(ReplaceCaptionSymbols(L""), L"");
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
      {"1995", "2.00 GHz"},     {"99999999999", "2147483.65 GHz"},
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
  OwnedVariant null;
  null.put()->vt = VT_NULL;
  EXPECT_TRUE(WmiValueFromVariant(null.get()).isNull);

  OwnedVariant text;
  VARIANT* raw = text.put();
  raw->vt = VT_BSTR;
  raw->bstrVal = SysAllocString(L"NVIDIA GeForce 9300 GE");
  WmiValue value = WmiValueFromVariant(text.get());
  EXPECT_FALSE(value.isNull);
  EXPECT_EQ(value.text, L"NVIDIA GeForce 9300 GE");

  OwnedVariant nullBstr;
  raw = nullBstr.put();
  raw->vt = VT_BSTR;
  raw->bstrVal = nullptr;
  value = WmiValueFromVariant(nullBstr.get());
  EXPECT_FALSE(value.isNull);
  EXPECT_EQ(value.text, L"");

  OwnedVariant clock;
  raw = clock.put();
  raw->vt = VT_I4;
  raw->lVal = 2667;
  EXPECT_EQ(WmiValueFromVariant(clock.get()).text, L"2667");

  OwnedVariant capacity;
  raw = capacity.put();
  raw->vt = VT_UI8;
  raw->ullVal = 4294967296ull;
  EXPECT_EQ(WmiValueFromVariant(capacity.get()).text, L"4294967296");

  OwnedVariant empty;
  value = WmiValueFromVariant(empty.get());
  EXPECT_FALSE(value.isNull);
  EXPECT_EQ(value.text, L"");
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
