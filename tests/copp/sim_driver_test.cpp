#include "simdriver/sim_driver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "copp/copp_queries.h"
#include "copp/copp_wire.h"
#include "tests/copp/copp_fixture.h"

namespace {

// The peer must refuse what a real driver refuses, or the client tests
// against it would prove nothing.
using SimDriverTest = CoppFixture;

TEST_F(SimDriverTest, CertificateIsTaskMemoryWithFreshRandom) {
  SimCoppDriver& driver = renderer_->Driver();
  GUID first = {}, second = {};
  BYTE* text = nullptr;
  DWORD length = 0;
  ASSERT_EQ(S_OK, driver.KeyExchange(&first, &text, &length));
  ASSERT_NE(nullptr, text);
  const std::string certificate(reinterpret_cast<char*>(text), length);
  CoTaskMemFree(text);
  EXPECT_EQ(driver.Certificate(), certificate);
  EXPECT_NE(std::string::npos, certificate.find("<Exponent>AQAB</Exponent>"));
  ASSERT_EQ(S_OK, driver.KeyExchange(&second, &text, &length));
  CoTaskMemFree(text);
  EXPECT_NE(0, memcmp(&first, &second, sizeof(GUID)));
}

TEST_F(SimDriverTest, RefusesSignatureItCannotOpenOrWithoutKeyExchange) {
  SimCoppDriver& driver = renderer_->Driver();
  AMCOPPSignature garbage;
  memset(garbage.Signature, 0x42, sizeof(garbage.Signature));
  EXPECT_EQ(E_UNEXPECTED, driver.SessionSequenceStart(&garbage));
  GUID random = {};
  BYTE* text = nullptr;
  DWORD length = 0;
  ASSERT_EQ(S_OK, driver.KeyExchange(&random, &text, &length));
  CoTaskMemFree(text);
  EXPECT_EQ(kSimBadSignature, driver.SessionSequenceStart(&garbage));
  EXPECT_FALSE(driver.Observed().sessionEstablished);
}

TEST_F(SimDriverTest, RefusesRequestsBeforeSessionAndTamperedCommands) {
  AMCOPPStatusInput input = {};
  AMCOPPStatusOutput output;
  EXPECT_EQ(E_UNEXPECTED, renderer_->ProtectionStatus(&input, &output));
  ASSERT_EQ(kCoppOk, Open());
  AMCOPPCommand command = {};
  command.guidCommandID = DXVA_COPPSetProtectionLevel;
  command.dwSequence = g_coppSession.m_uCommandSeq;
  command.bSizeData = 16;
  EXPECT_EQ(kSimBadSignature, renderer_->ProtectionCommand(&command));
  EXPECT_EQ(1u, Observed().commandMacFailures);
  EXPECT_EQ(kCoppOk, CoppSetHdcpLevel(1));  // the session survives a forged command
}

TEST_F(SimDriverTest, NewRenderersStartFromTheDefaultScenario) {
  SimScenario scenario;
  scenario.connectorType = 0x80000006;
  scenario.statusFaults[0] = {DXVA_COPPQueryConnectorType, 0, 1, static_cast<HRESULT>(0xC026251E)};
  SimSetDefaultScenario(scenario);
  SimCoppRenderer* hosted = CreateSimCoppRenderer();
  SimSetDefaultScenario(SimScenario());
  ASSERT_EQ(kCoppOk, CoppOpenSession(AsRendererFilter(hosted)));
  uint32_t value = 0, flags = 0;
  EXPECT_EQ(kCoppRetryFromStart, CoppGetConnectorType(&value, &flags));
  EXPECT_EQ(kCoppOk, CoppGetConnectorType(&value, &flags));
  EXPECT_EQ(0x80000006u, value);
  CoppCloseSession();
  hosted->Release();
  EXPECT_EQ(5u, SimDefaultScenario().connectorType);
}

}  // namespace
