#include <gtest/gtest.h>

#include "copp/copp_queries.h"
#include "copp/copp_session.h"
#include "tests/copp/copp_fixture.h"

namespace {

using CoppSessionTest = CoppFixture;

void ExpectAllReleased() {
  EXPECT_EQ(nullptr, g_coppSession.m_pCOPP);
  EXPECT_EQ(0u, g_coppSession.m_hProv.get());
  EXPECT_EQ(0u, g_coppSession.m_hAesKey.get());
  EXPECT_EQ(nullptr, g_coppSession.m_hCrypt32.get());
  EXPECT_EQ(nullptr, g_coppSession.m_pfnCryptStringToBinaryA);
}

TEST_F(CoppSessionTest, EstablishedSessionAnswersQueries) {
  TraceCapture trace;
  ASSERT_EQ(kCoppOk, Open());
  EXPECT_TRUE(Observed().sessionEstablished);
  EXPECT_TRUE(trace.Lines().empty()) << JoinLines(trace.Lines());
  EXPECT_NE(nullptr, g_coppSession.m_pCOPP);
  EXPECT_EQ(nullptr, g_coppSession.m_hCrypt32.get());  // freed at the end of the start
  uint32_t value = 0, flags = 0;
  EXPECT_EQ(kCoppOk, CoppGetConnectorType(&value, &flags));
  EXPECT_EQ(5u, value);
  EXPECT_EQ(kCoppOk, CoppSetHdcpLevel(1));
  EXPECT_EQ(1u, Observed().commandsAccepted);
}

TEST_F(CoppSessionTest, NullRendererIsNoInterfaceWithoutLogLine) {
  TraceCapture trace;
  EXPECT_EQ(kCoppNoInterface, CoppOpenSession(nullptr));
  EXPECT_TRUE(trace.Lines().empty());
}

TEST_F(CoppSessionTest, ResultMapping) {
  struct Row {
    const char* name;
    bool offersCopp;
    HRESULT keyExchange;
    HRESULT sessionStart;
    CoppResult expected;
    const char* line;  // nullptr: no log line
  };
  const Row rows[] = {
      {"NoInterface", false, S_OK, S_OK, kCoppNoInterface,
       "IID_IAMCertifiedOutputProtectionが見つからない hr = 80004002"},
      {"NoCoppHardware", true, static_cast<HRESULT>(0x8004029B), S_OK, kCoppNoHardware,
       "KeyExchange()に失敗 hr = 8004029b"},
      {"OtherKeyExchangeFailure", true, E_FAIL, S_OK, kCoppFailed, "KeyExchange()に失敗 hr = 80004005"},
      {"RetryFromStart", true, S_OK, static_cast<HRESULT>(0xC026251E), kCoppRetryFromStart,
       "SessionSequenceStart()に失敗 hr = c026251e"},
      {"OtherSessionStartFailure", true, S_OK, E_ACCESSDENIED, kCoppFailed,
       "SessionSequenceStart()に失敗 hr = 80070005"},
      {"SuccessOtherThanSOk", true, S_OK, S_FALSE, kCoppFailed, nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SimCoppRenderer* renderer = CreateSimCoppRenderer();
    renderer->Scenario().offersCopp = row.offersCopp;
    renderer->Scenario().keyExchangeResult = row.keyExchange;
    renderer->Scenario().sessionStartResult = row.sessionStart;
    TraceCapture trace;
    EXPECT_EQ(row.expected, CoppOpenSession(AsRendererFilter(renderer)));
    if (row.line) {
      ASSERT_EQ(1u, trace.Lines().size()) << JoinLines(trace.Lines());
      EXPECT_EQ(row.line, trace.Lines()[0]);
    } else {
      EXPECT_TRUE(trace.Lines().empty()) << JoinLines(trace.Lines());
    }
    EXPECT_EQ(0, CoppCloseSession());
    ExpectAllReleased();
    renderer->Release();
  }
}

TEST_F(CoppSessionTest, SecondStartReusesKeyContainer) {
  HCRYPTPROV provider = 0;
  // Start without the container, so the first run creates it.
  CryptAcquireContextA(&provider, kCoppKeyContainer, nullptr, PROV_RSA_AES, CRYPT_DELETEKEYSET);
  ASSERT_EQ(kCoppOk, Open());
  CoppCloseSession();
  ASSERT_TRUE(CryptAcquireContextA(&provider, kCoppKeyContainer, nullptr, PROV_RSA_AES, 0))
      << "container left in place";
  CryptReleaseContext(provider, 0);
  EXPECT_EQ(kCoppOk, Open());
  uint32_t value = 0, flags = 0;
  EXPECT_EQ(kCoppOk, CoppGetBusType(&value, &flags));
}

TEST_F(CoppSessionTest, CloseAfterFailedStartReleasesEverything) {
  Scenario().sessionStartResult = static_cast<HRESULT>(0xC026251E);
  ASSERT_EQ(kCoppRetryFromStart, Open());
  EXPECT_NE(nullptr, g_coppSession.m_pCOPP);
  EXPECT_NE(0u, g_coppSession.m_hProv.get());
  EXPECT_NE(0u, g_coppSession.m_hAesKey.get());
  EXPECT_EQ(0, CoppCloseSession());
  ExpectAllReleased();
  // The renderer is ours again alone: one reference left.
  renderer_->AddRef();
  EXPECT_EQ(1u, renderer_->Release());
}

TEST_F(CoppSessionTest, QueriesWithoutSessionFail) {
  uint32_t value = 7, flags = 9;
  EXPECT_EQ(kCoppFailed, CoppGetBusType(&value, &flags));
  EXPECT_EQ(kCoppFailed, CoppSetCgmsaLevel(1));
  EXPECT_EQ(7u, value);
  EXPECT_EQ(9u, flags);
}

}  // namespace
