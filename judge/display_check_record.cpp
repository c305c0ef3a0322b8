#include "judge/display_check_record.h"

namespace {

constexpr uint32_t kBusPciExpress = 3;
constexpr uint32_t kConnectorVga = 0;
constexpr uint32_t kConnectorDJpn = 8;

}  // namespace

int IsOverlayUsable(const DisplayCheckRecord* record) { return record->overlayOk != 0; }

int IsCoppUsable(const DisplayCheckRecord* record) { return record->coppOk != 0; }

// 0xFFFFFFFF (connector query failed) also counts as internal: its top bit is set.
int IsConnectorInternal(const DisplayCheckRecord* record) {
  return (record->connectorType & kInternalBit) != 0;
}

int IsBusPciExpress(const DisplayCheckRecord* record) {
  return (record->busType & kLevelValueMask) == kBusPciExpress;
}

// D-JPN (8) sits among the digital numbers but carries an analogue signal.
int IsDigitalConnector(const DisplayCheckRecord* record) {
  const uint32_t type = record->connectorType & kLevelValueMask;
  return type >= 4 && type <= 13 && type != kConnectorDJpn;
}

int IsHdcpSetOk(const DisplayCheckRecord* record) { return record->hdcpSetOk != 0; }

int IsVgaConnector(const DisplayCheckRecord* record) {
  return (record->connectorType & kLevelValueMask) == kConnectorVga;
}

int IsCgmsaOk(const DisplayCheckRecord* record) { return record->cgmsaLevelsOk != 0; }

int NeedsRetryFromStart(const DisplayCheckRecord* record) { return record->retryFromStart != 0; }
