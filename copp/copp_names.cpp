#include "copp/copp_names.h"

#include "copp/copp_wire.h"
#include "trace/judge_log.h"

namespace {

constexpr uint32_t kHighBit = 0x80000000u;

const char* const kBusNames[] = {"COPP_BusType_Unknown", "COPP_BusType_PCI", "COPP_BusType_PCIX",
                                 "COPP_BusType_PCIExpress", "COPP_BusType_AGP"};

const char* const kConnectorNames[] = {"COPP_ConnectorType_VGA",
                                       "COPP_ConnectorType_SVideo",
                                       "COPP_ConnectorType_CompositeVideo",
                                       "COPP_ConnectorType_ComponentVideo",
                                       "COPP_ConnectorType_DVI",
                                       "COPP_ConnectorType_HDMI",
                                       "COPP_ConnectorType_LVDS",
                                       "COPP_ConnectorType_TMDS",
                                       "COPP_ConnectorType_D_JPN",
                                       "COPP_ConnectorType_SDI",
                                       "COPP_ConnectorType_DisplayPortExternal",
                                       "COPP_ConnectorType_DisplayPortEmbedded",
                                       "COPP_ConnectorType_UDIExternal",
                                       "COPP_ConnectorType_UDIEmbedded"};

const char* const kCgmsaNames[] = {"COPP_CGMSA_Disabled", "COPP_CGMSA_CopyFreely", "COPP_CGMSA_CopyNoMore",
                                   "COPP_CGMSA_CopyOneGeneration", "COPP_CGMSA_CopyNever"};

}  // namespace

void TraceBusTypeName(uint32_t value) {
  const uint32_t base = value & ~kHighBit;
  if (base >= sizeof(kBusNames) / sizeof(kBusNames[0])) return;
  if (value & kHighBit)
    JudgeTrace("%s(Integrated)", kBusNames[base]);
  else
    JudgeTrace("%s", kBusNames[base]);
}

void TraceConnectorTypeName(uint32_t value) {
  if (value == 0xFFFFFFFFu) {
    JudgeTrace("COPP_ConnectorType_Unknown");
    return;
  }
  const uint32_t base = value & ~kHighBit;
  if (base >= sizeof(kConnectorNames) / sizeof(kConnectorNames[0])) return;
  if (value & kHighBit)
    JudgeTrace("%s(Internal)", kConnectorNames[base]);
  else
    JudgeTrace("%s", kConnectorNames[base]);
}

void TraceProtectionTypeNames(uint32_t value) {
  if (value == 0)
    JudgeTrace("COPP_ProtectionType_None");
  else if (value == kCoppProtectionUnknown)
    JudgeTrace("COPP_ProtectionType_Unknown");
  if (value & kCoppProtectionHdcp) JudgeTrace("COPP_ProtectionType_HDCP");
  if (value & kCoppProtectionAcp) JudgeTrace("COPP_ProtectionType_ACP");
  if (value & kCoppProtectionCgmsa) JudgeTrace("COPP_ProtectionType_CGMSA");
  if (value & kCoppProtectionDpcp) JudgeTrace("COPP_ProtectionType_DPCP");
}

void TraceHdcpLevelName(uint32_t value) {
  if (value == 0)
    JudgeTrace("COPP_HDCP_Level0");
  else if (value == 1)
    JudgeTrace("COPP_HDCP_Level1");
}

void TraceCgmsaLevelName(uint32_t value) {
  // Bit 3 is the redistribution-control flag over the same five levels.
  constexpr uint32_t kRedistribution = 0x8;
  const uint32_t base = value & ~kRedistribution;
  if (value > 12 || base >= sizeof(kCgmsaNames) / sizeof(kCgmsaNames[0])) return;
  if (value & kRedistribution)
    JudgeTrace("%s(RedistributionControlRequired)", kCgmsaNames[base]);
  else
    JudgeTrace("%s", kCgmsaNames[base]);
}
