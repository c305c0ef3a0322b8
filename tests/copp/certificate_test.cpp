#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "copp/copp_session.h"
#include "simdriver/sim_base64.h"
#include "tests/copp/copp_fixture.h"

namespace {

struct FindRow {
  const char* name;
  std::string data;
  bool found;
  size_t offset;
  size_t length;
};

TEST(FindCertificateElement, Positions) {
  const FindRow rows[] = {
      {"Simple", "<E>abc</E>x", true, 3, 3},
      {"EmptyValue", "<E></E>x", true, 3, 0},
      {"ClosingTagEndingAtLastByteIsNotFound", "<E>abc</E>", false, 0, 0},
      {"OnlyFirstOpeningTagCounts", "<E>abc<E>xyz</E>.", true, 3, 9},
      {"FirstOpeningWithoutCloseFails", "<F></E>.<E>abc", false, 0, 0},
      {"NoOpeningTag", "abc</E>..", false, 0, 0},
      {"CaseSensitive", "<e>abc</E>.", false, 0, 0},
      {"OpeningTagAtEnd", "xx<E>", false, 0, 0},
      {"ShorterThanTags", "<E", false, 0, 0},
      {"Empty", "", false, 0, 0},
  };
  for (const FindRow& row : rows) {
    SCOPED_TRACE(row.name);
    size_t offset = 99, length = 99;
    const auto* data = reinterpret_cast<const BYTE*>(row.data.data());
    EXPECT_EQ(row.found, FindCertificateElement(data, row.data.size(), "<E>", "</E>", &offset, &length));
    if (row.found) {
      EXPECT_EQ(row.offset, offset);
      EXPECT_EQ(row.length, length);
    }
  }
}

using CoppCertificateTest = CoppFixture;

std::string Base64OfLength(size_t n, char fill = '\x5a') {
  std::string bytes(n, fill);
  return SimBase64(reinterpret_cast<const BYTE*>(bytes.data()), n);
}

TEST_F(CoppCertificateTest, UnusableCertificatesEndTheStartAsFailed) {
  const std::string modulus = Base64OfLength(256);
  struct Row {
    const char* name;
    std::string text;
  };
  const Row rows[] = {
      {"NoModulus", "<Exponent>AQAB</Exponent>."},
      {"NoExponent", "<Modulus>" + modulus + "</Modulus>."},
      {"ShortModulus", "<Modulus>" + Base64OfLength(255) + "</Modulus><Exponent>AQAB</Exponent>."},
      {"LongModulus", "<Modulus>" + Base64OfLength(257) + "</Modulus><Exponent>AQAB</Exponent>."},
      {"ShortExponent", "<Modulus>" + modulus + "</Modulus><Exponent>AQA=</Exponent>."},
      {"LongExponent", "<Modulus>" + modulus + "</Modulus><Exponent>AQABAA==</Exponent>."},
      {"GarbledModulus", "<Modulus>!!!!*&^%</Modulus><Exponent>AQAB</Exponent>."},
      {"GarbledExponent", "<Modulus>" + modulus + "</Modulus><Exponent>@@@@</Exponent>."},
      {"EmptyModulus", "<Modulus></Modulus><Exponent>AQAB</Exponent>."},
      {"ExponentClosingAtLastByte", "<Modulus>" + modulus + "</Modulus><Exponent>AQAB</Exponent>"},
      {"TruncatedInsideModulus", "<Modulus>" + modulus.substr(0, 40)},
      {"Empty", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    // The text is copied into an exactly sized buffer, so any over-read shows.
    Scenario().certificateText = row.text.c_str();
    Scenario().certificateLength = static_cast<uint32_t>(row.text.size());
    if (row.text.empty()) Scenario().certificateText = "";
    TraceCapture trace;
    EXPECT_EQ(kCoppFailed, Open());
    EXPECT_TRUE(trace.Lines().empty()) << JoinLines(trace.Lines());
    EXPECT_EQ(0u, Observed().sessionStarts) << "nothing sent to the driver";
    CoppCloseSession();
  }
}

TEST_F(CoppCertificateTest, DriverCertificateWithTrailingTextIsAccepted) {
  const std::string text = renderer_->Driver().Certificate();
  ASSERT_NE(std::string::npos, text.find("<Modulus>"));
  // The driver's own certificate, fed back in as outside text, still works.
  Scenario().certificateText = text.c_str();
  Scenario().certificateLength = static_cast<uint32_t>(text.size());
  EXPECT_EQ(kCoppOk, Open());
}

TEST_F(CoppCertificateTest, ForeignKeyIsRefusedByTheDriver) {
  // A well-formed certificate for another key: the driver cannot decrypt.
  const std::string text = "<Modulus>" + Base64OfLength(256, '\xc3') + "</Modulus><Exponent>AQAB</Exponent>.";
  Scenario().certificateText = text.c_str();
  TraceCapture trace;
  EXPECT_EQ(kCoppFailed, Open());
  ASSERT_EQ(1u, trace.Lines().size()) << JoinLines(trace.Lines());
  EXPECT_EQ("SessionSequenceStart()に失敗 hr = 80090005", trace.Lines()[0]);
}

}  // namespace
