#include "copp/copp_queries.h"

#include <cstddef>
#include <cstring>

#include "copp/copp_messages.h"
#include "copp/copp_names.h"
#include "copp/copp_wire.h"
#include "trace/judge_log.h"

namespace {

struct QueryRow {
  const GUID& requestId;
  uint32_t protectionType;  // 0: the request carries no data
  const char* valueLine;
  void (*traceNames)(uint32_t);
};

CoppResult FailureCode(HRESULT hr) { return hr == kCoppRetryHr ? kCoppRetryFromStart : kCoppFailed; }

CoppResult RunQuery(const QueryRow& row, uint32_t* value, uint32_t* statusFlags) {
  DXVA_COPPStatusData answer = {};
  uint32_t answerLength = sizeof(answer);
  const uint32_t requestLength = row.protectionType ? sizeof(row.protectionType) : 0;
  const HRESULT hr =
      CoppStatusRequest(row.requestId, &row.protectionType, requestLength, &answer, &answerLength);
  if (FAILED(hr)) return FailureCode(hr);
  // A driver that sends back less than dwData has not answered: the zeros
  // left in the buffer would otherwise pass for its answer (0 is VGA).
  if (answerLength < offsetof(DXVA_COPPStatusData, dwData) + sizeof(answer.dwData)) return kCoppFailed;
  JudgeTrace(row.valueLine, answer.dwData);
  row.traceNames(answer.dwData);
  if (value) *value = answer.dwData;
  if (statusFlags) *statusFlags = answer.dwFlags;
  return kCoppOk;
}

CoppResult SetLevel(uint32_t protectionType, uint32_t level) {
  DXVA_COPPSetProtectionLevelCmdData data = {};
  data.ProtType = protectionType;
  data.ProtLevel = level;
  const HRESULT hr = CoppCommand(DXVA_COPPSetProtectionLevel, &data, sizeof(data));
  return FAILED(hr) ? FailureCode(hr) : kCoppOk;
}

}  // namespace

CoppResult CoppGetBusType(uint32_t* value, uint32_t* statusFlags) {
  return RunQuery({DXVA_COPPQueryBusData, 0, "Bus Typeの取得データ = %08x", TraceBusTypeName}, value,
                  statusFlags);
}

CoppResult CoppGetConnectorType(uint32_t* value, uint32_t* statusFlags) {
  return RunQuery(
      {DXVA_COPPQueryConnectorType, 0, "Connector Typeの取得データ = %08x", TraceConnectorTypeName}, value,
      statusFlags);
}

CoppResult CoppGetProtectionTypes(uint32_t* value, uint32_t* statusFlags) {
  return RunQuery(
      {DXVA_COPPQueryProtectionType, 0, "Protection Typeの取得データ = %08x", TraceProtectionTypeNames},
      value, statusFlags);
}

CoppResult CoppGetHdcpLocalLevel(uint32_t* value, uint32_t* statusFlags) {
  return RunQuery({DXVA_COPPQueryLocalProtectionLevel, kCoppProtectionHdcp,
                   "HDCP Local Protection Levelの取得データ = %08x", TraceHdcpLevelName},
                  value, statusFlags);
}

CoppResult CoppGetGlobalLevel(uint32_t* value, uint32_t* statusFlags) {
  return RunQuery({DXVA_COPPQueryGlobalProtectionLevel, kCoppProtectionHdcp,
                   "Global Protection Levelの取得データ = %08x", TraceHdcpLevelName},
                  value, statusFlags);
}

CoppResult CoppGetCgmsaLocalLevel(uint32_t* value, uint32_t* statusFlags) {
  return RunQuery({DXVA_COPPQueryLocalProtectionLevel, kCoppProtectionCgmsa,
                   "CGMSA Local Protection Levelの取得データ = %08x", TraceCgmsaLevelName},
                  value, statusFlags);
}

CoppResult CoppGetCgmsaGlobalLevel(uint32_t* value, uint32_t* statusFlags) {
  return RunQuery({DXVA_COPPQueryGlobalProtectionLevel, kCoppProtectionCgmsa,
                   "CGMSA Global Protection Levelの取得データ = %08x", TraceCgmsaLevelName},
                  value, statusFlags);
}

CoppResult CoppSetHdcpLevel(uint32_t level) {
  TraceHdcpLevelName(level);
  return SetLevel(kCoppProtectionHdcp, level);
}

CoppResult CoppSetCgmsaLevel(uint32_t level) {
  TraceCgmsaLevelName(level);
  return SetLevel(kCoppProtectionCgmsa, level);
}
