#include "simrenderer/scenario_text.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase {
  const char* name;
  const char* text;
  bool ok;
  std::vector<std::pair<std::string, uint32_t>> entries;
  const char* badItem;
};

TEST(ScenarioText, ParsesEntriesAndRejectsMalformedOnes) {
  const ParseCase cases[] = {
      {"Empty", "", true, {}, ""},
      {"DecimalAndHex", "connector=5;protection=0x5", true, {{"connector", 5}, {"protection", 5}}, ""},
      {"BlanksAndEmptyItems", " bus = 0x80000003 ;; keyExchange=0x8004029B;", true,
       {{"bus", 0x80000003u}, {"keyExchange", 0x8004029Bu}}, ""},
      {"AllOnes", "connector=0xFFFFFFFF", true, {{"connector", 0xFFFFFFFFu}}, ""},
      {"TooLarge", "connector=0x100000000", false, {}, "connector=0x100000000"},
      {"Negative", "bus=-1", false, {}, "bus=-1"},
      {"NoEquals", "connector=5;hdcp", false, {}, "hdcp"},
      {"NoKey", "=5", false, {}, "=5"},
      {"TrailingGarbage", "bus=3x", false, {}, "bus=3x"},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<ScenarioEntry> entries;
    std::string error;
    ASSERT_EQ(c.ok, ParseScenarioText(c.text, &entries, &error));
    if (!c.ok) {
      EXPECT_EQ(c.badItem, error);
      continue;
    }
    ASSERT_EQ(c.entries.size(), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
      EXPECT_EQ(c.entries[i].first, entries[i].key);
      EXPECT_EQ(c.entries[i].second, entries[i].value);
    }
  }
}

}  // namespace
