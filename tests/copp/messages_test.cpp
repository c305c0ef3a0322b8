#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "copp/copp_messages.h"
#include "copp/copp_wire.h"
#include "tests/copp/copp_fixture.h"

namespace {

class CoppMessagesTest : public OpenCoppFixture {
 protected:
  HRESULT AskBus(BYTE* buffer, uint32_t* length) {
    return CoppStatusRequest(DXVA_COPPQueryBusData, nullptr, 0, buffer, length);
  }
  HRESULT SetLevel(uint32_t type, uint32_t level) {
    const DXVA_COPPSetProtectionLevelCmdData data = {type, level, 0, 0};
    return CoppCommand(DXVA_COPPSetProtectionLevel, &data, sizeof(data));
  }
};

TEST_F(CoppMessagesTest, StatusSequenceAdvancesOnlyOnSuccess) {
  const uint32_t start = g_coppSession.m_uStatusSeq;
  BYTE buffer[32];
  uint32_t length = sizeof(buffer);
  ASSERT_EQ(S_OK, AskBus(buffer, &length));
  EXPECT_EQ(start, Observed().lastStatusSequence);
  EXPECT_EQ(start + 1, g_coppSession.m_uStatusSeq);

  Scenario().statusFaults[0] = {GUID_NULL, 0, 1, E_FAIL};
  TraceCapture trace;
  length = sizeof(buffer);
  EXPECT_EQ(E_FAIL, AskBus(buffer, &length));
  EXPECT_EQ(std::vector<std::string>{"ProtectionStatus()に失敗 hr = 80004005"}, trace.Lines());
  EXPECT_EQ(start + 1, g_coppSession.m_uStatusSeq);
  EXPECT_EQ(32u, length);

  length = sizeof(buffer);
  ASSERT_EQ(S_OK, AskBus(buffer, &length));  // the driver accepts the unused number
  EXPECT_EQ(start + 1, Observed().lastStatusSequence);
  EXPECT_EQ(start + 2, g_coppSession.m_uStatusSeq);
  EXPECT_EQ(0u, Observed().sequenceFailures);
}

TEST_F(CoppMessagesTest, AnswerEchoesRAppAndIsCopied) {
  DXVA_COPPStatusData answer = {};
  uint32_t length = sizeof(answer);
  Scenario().statusFlags = 0x2;
  ASSERT_EQ(S_OK, AskBus(reinterpret_cast<BYTE*>(&answer), &length));
  EXPECT_EQ(32u, length);
  EXPECT_EQ(0, memcmp(&answer.rApp, &Observed().lastRApp, 16));
  EXPECT_EQ(3u, answer.dwData);
  EXPECT_EQ(0x2u, answer.dwFlags);
}

TEST_F(CoppMessagesTest, AnswerLengthIsTheSmallerOfBufferAndDriver) {
  struct Row {
    const char* name;
    uint32_t sizeData;
    uint32_t buffer;
    uint32_t copied;
  };
  const Row rows[] = {
      {"LongerAnswerIsCut", 40, 32, 32},
      {"ZeroCopiesNothing", 0, 32, 0},
      {"ShortAnswer", 8, 32, 8},
      {"BeyondTheRecordIsClamped", 0xFFFFFFFF, 5000, 4076},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Scenario().overrideSizeData = true;
    Scenario().sizeData = row.sizeData;
    std::vector<BYTE> buffer(row.buffer, 0xEE);
    uint32_t length = row.buffer;
    const uint32_t before = g_coppSession.m_uStatusSeq;
    ASSERT_EQ(S_OK, AskBus(buffer.data(), &length));
    EXPECT_EQ(row.copied, length);
    EXPECT_EQ(before + 1, g_coppSession.m_uStatusSeq);
    for (uint32_t i = row.copied; i < row.buffer; ++i) ASSERT_EQ(0xEE, buffer[i]) << i;
    if (row.copied >= 24) {
      uint32_t data;
      memcpy(&data, &buffer[20], 4);
      EXPECT_EQ(3u, data);
    }
  }
}

TEST_F(CoppMessagesTest, FlippedMacBitIsRefused) {
  Scenario().flipMacOnStatus = 1;
  BYTE buffer[32];
  memset(buffer, 0xEE, sizeof(buffer));
  uint32_t length = sizeof(buffer);
  const uint32_t before = g_coppSession.m_uStatusSeq;
  TraceCapture trace;
  EXPECT_EQ(E_UNEXPECTED, AskBus(buffer, &length));
  EXPECT_EQ(std::vector<std::string>{"omac memcmp err"}, trace.Lines());
  EXPECT_EQ(before, g_coppSession.m_uStatusSeq);
  EXPECT_EQ(32u, length);
  EXPECT_EQ(0xEE, buffer[20]);
}

TEST_F(CoppMessagesTest, CommandsCarryConsecutiveNumbersAndFailuresUseNone) {
  const uint32_t start = g_coppSession.m_uCommandSeq;
  ASSERT_EQ(S_OK, SetLevel(1, 1));
  EXPECT_EQ(start, Observed().lastCommandSequence);
  EXPECT_EQ(16u, Observed().lastCommandDataLength);

  Scenario().commandFaultOccurrence = 2;
  Scenario().commandFaultResult = E_FAIL;
  TraceCapture trace;
  EXPECT_EQ(E_FAIL, SetLevel(4, 2));
  EXPECT_EQ(std::vector<std::string>{"ProtectionCommand()に失敗 hr = 80004005"}, trace.Lines());
  EXPECT_EQ(start + 1, g_coppSession.m_uCommandSeq);

  ASSERT_EQ(S_OK, SetLevel(4, 3));
  EXPECT_EQ(start + 1, Observed().lastCommandSequence);
  EXPECT_EQ(3u, Observed().lastCommandLevel);
  EXPECT_EQ(2u, Observed().commandsAccepted);
  EXPECT_EQ(0u, Observed().commandMacFailures);
  EXPECT_EQ(start + 2, g_coppSession.m_uCommandSeq);
}

TEST_F(CoppMessagesTest, ForgedSequenceNumberIsRefusedByTheDriver) {
  // The driver checks numbers: one the client skipped is refused.
  ++g_coppSession.m_uCommandSeq;
  EXPECT_NE(S_OK, SetLevel(1, 1));
  EXPECT_EQ(1u, Observed().sequenceFailures);
  --g_coppSession.m_uCommandSeq;
  EXPECT_EQ(S_OK, SetLevel(1, 1));
}

TEST_F(CoppMessagesTest, NoSessionIsNoInterface) {
  CoppCloseSession();
  BYTE buffer[32];
  uint32_t length = sizeof(buffer);
  TraceCapture trace;
  EXPECT_EQ(E_NOINTERFACE, AskBus(buffer, &length));
  EXPECT_EQ(E_NOINTERFACE, SetLevel(1, 1));
  EXPECT_TRUE(trace.Lines().empty());
}

}  // namespace
