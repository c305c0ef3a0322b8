#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "res/resource_ids.h"
#include "tests/ui/report_test_texts.h"
#include "ui/report_text.h"

namespace {

struct EntryCase {
  UINT id;
  const char* text;
};

const EntryCase kEntries[] = {
    {IDS_REPORT_VERSION_LINE, kText141},     {IDS_REPORT_LATEST_INFO, kText203},
    {IDS_REPORT_ANALOG_DOWNSCALE, kText206}, {IDS_REPORT_NG_OVERLAY, kText212},
    {IDS_REPORT_NG_COPP, kText213},          {IDS_REPORT_NG_HDCP, kText215},
    {IDS_REPORT_NG_CGMSA, kText217},
};

TEST(ReportStrings, EveryEntryLoadsAsItsCp932Bytes) {
  for (const EntryCase& entry : kEntries) {
    char loaded[4096];
    const int length = ::LoadStringA(::GetModuleHandleA(nullptr), entry.id, loaded, sizeof(loaded));
    EXPECT_EQ(std::string(entry.text), std::string(loaded, length > 0 ? length : 0)) << "entry " << entry.id;
  }
}

TEST(ReportStrings, LoadReportStringsKeepsTheLongestEntryWhole) {
  const ReportStrings strings = LoadReportStrings(::GetModuleHandleA(nullptr));
  EXPECT_EQ(431u, strings.analogDownscale.size());
  EXPECT_EQ(kText141, strings.versionLine);
  EXPECT_EQ(kText203, strings.latestInfo);
  EXPECT_EQ(kText206, strings.analogDownscale);
  EXPECT_EQ(kText212, strings.ngOverlay);
  EXPECT_EQ(kText213, strings.ngCopp);
  EXPECT_EQ(kText215, strings.ngHdcp);
  EXPECT_EQ(kText217, strings.ngCgmsa);
}

}  // namespace
