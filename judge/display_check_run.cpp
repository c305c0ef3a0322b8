#include "judge/display_check_run.h"

#include "copp/copp_queries.h"
#include "copp/copp_session.h"
#include "copp/copp_wire.h"
#include "copp/renderer_graph.h"
#include "judge/judge_flow.h"
#include "probe/directdraw_probe.h"
#include "trace/judge_log.h"

namespace {

// How long the driver gets to switch HDCP on before the level is read back.
DWORD g_hdcpSettleMilliseconds = 1000;

HWND g_displayCheckMainWindow = nullptr;
HWND g_displayCheckVideoWindow = nullptr;

bool LevelIs(uint32_t level, uint32_t expected) { return (level & kLevelValueMask) == expected; }

bool AsksRetry(CoppResult result) { return result == kCoppRetryFromStart; }

// Switches HDCP on and reads the local level back after the driver settles.
// False as soon as the driver asks for the whole check to start again.
bool TestHdcpSet(DisplayCheckRecord* record, uint32_t* scratchFlags) {
  if (AsksRetry(CoppGetGlobalLevel(&record->hdcpGlobalLevel, scratchFlags)) ||
      AsksRetry(CoppGetHdcpLocalLevel(&record->hdcpLocalLevel, scratchFlags)))
    return false;
  JudgeTrace("HDCPの設定テスト");
  if (AsksRetry(CoppSetHdcpLevel(1))) return false;
  Sleep(g_hdcpSettleMilliseconds);
  if (AsksRetry(CoppGetGlobalLevel(&record->hdcpGlobalLevel, scratchFlags)) ||
      AsksRetry(CoppGetHdcpLocalLevel(&record->hdcpLocalLevel, scratchFlags)))
    return false;
  if (LevelIs(record->hdcpLocalLevel, 1)) record->hdcpSetOk = 1;
  return true;
}

// CGMS-A counts only when every level from CopyFreely to CopyNever takes.
bool TestCgmsaSet(DisplayCheckRecord* record, uint32_t* scratchFlags) {
  if (AsksRetry(CoppGetCgmsaGlobalLevel(&record->cgmsaGlobalLevel, scratchFlags)) ||
      AsksRetry(CoppGetCgmsaLocalLevel(&record->cgmsaLocalLevel, scratchFlags)))
    return false;
  JudgeTrace("CGMSAの設定テスト");
  bool retry = false;
  for (uint32_t level = 1; level <= 4 && !retry; ++level) {
    retry = AsksRetry(CoppSetCgmsaLevel(level)) ||
            AsksRetry(CoppGetCgmsaLocalLevel(&record->cgmsaLocalLevel, scratchFlags));
    if (!retry && LevelIs(record->cgmsaLocalLevel, level)) ++record->cgmsaLevelsOk;
  }
  if (record->cgmsaLevelsOk < 4) record->cgmsaLevelsOk = 0;
  return !retry;
}

// The answers after the first connector query. A driver that asks for a
// fresh start here asks what it asks of the session start, so the run stops
// and is repeated; any other failure leaves its field at the start value.
bool CollectCoppData(DisplayCheckRecord* record, uint32_t* scratchFlags) {
  if (AsksRetry(CoppGetBusType(&record->busType, scratchFlags)) ||
      AsksRetry(CoppGetConnectorType(&record->connectorType, scratchFlags)) ||
      AsksRetry(CoppGetProtectionTypes(&record->protectionTypes, scratchFlags)))
    return false;
  if ((record->protectionTypes & kCoppProtectionHdcp) && !TestHdcpSet(record, scratchFlags)) return false;
  if ((record->protectionTypes & kCoppProtectionCgmsa) && !TestCgmsaSet(record, scratchFlags)) return false;
  return true;
}

}  // namespace

void SetDisplayCheckWindows(HWND mainWindow, HWND videoWindow) {
  g_displayCheckMainWindow = mainWindow;
  g_displayCheckVideoWindow = videoWindow;
}

DWORD SetHdcpSettleMilliseconds(DWORD milliseconds) {
  const DWORD previous = g_hdcpSettleMilliseconds;
  g_hdcpSettleMilliseconds = milliseconds;
  return previous;
}

int CollectFromDD7(DisplayCheckRecord* record) {
  record->vendorId = 0;
  record->deviceId = 0;
  if (!GetDirectDrawDeviceIds(record->mainWindow, &record->vendorId, &record->deviceId)) return 0;
  JudgeTrace("DD7VGA情報");
  JudgeTrace("VendorId = %08x DeviceId = %08x", record->vendorId, record->deviceId);
  return 1;
}

int TestDXOverlay(DisplayCheckRecord* record) {
  // No overlay surface is tried: the renderer's own mixing is what counts.
  record->overlayOk = 1;
  JudgeTrace("オーバーレイテスト結果");
  JudgeTrace("%s", record->overlayOk ? "可" : "不可");
  return record->overlayOk;
}

int CollectFromDX7(DisplayCheckRecord* record) {
  OpenRendererGraph(record->mainWindow, record->videoWindow);

  record->coppOk = 0;
  record->busType = 0;
  record->connectorType = 0xFFFFFFFF;
  record->protectionTypes = kCoppProtectionUnknown;
  record->hdcpGlobalLevel = 0;
  record->hdcpLocalLevel = 0;
  record->hdcpSetOk = 0;
  record->retryFromStart = 0;

  // The run passes one scratch word for every query's status flags.
  uint32_t scratchFlags = 0;
  int result = CoppOpenSession(GetRendererFilter());
  if (result == kCoppRetryFromStart) record->retryFromStart = 1;

  if (result == 0) {
    JudgeTrace(" --------- COPP通信テスト ---------");
    result = CoppGetConnectorType(&record->connectorType, &scratchFlags);
    if (result == kCoppRetryFromStart) {
      JudgeTrace("COPP通信テストに失敗しました");
      record->retryFromStart = 1;
    }
  } else {
    JudgeTrace("COPPの初期化に失敗しました");
  }

  if (record->retryFromStart) JudgeTrace("最初からリトライが必要です");

  if (result == 0) {
    record->coppOk = 1;
    JudgeTrace(" --------- COPPによるデータの収集 ---------");
    if (!CollectCoppData(record, &scratchFlags)) {
      // Only the COPP path of the verdict carries the retry request on.
      JudgeTrace("COPP通信テストに失敗しました");
      JudgeTrace("最初からリトライが必要です");
      record->coppOk = 0;
      record->retryFromStart = 1;
    }
  }

  // Session before graph: the session holds an interface of the renderer.
  CoppCloseSession();
  CloseRendererGraph();
  return 1;
}

int RunDisplayCheckOnRecord(DisplayCheckRecord* record, JudgeResult* result, uint32_t vendorId,
                            uint32_t deviceId, OwnPartFault* ownPartFault) {
  TakeOwnPartFault();  // whatever an earlier run left is not this run's
  JudgeTrace("========== 判定ログ ==========");

  *record = DisplayCheckRecord{};
  record->mainWindow = g_displayCheckMainWindow;
  record->videoWindow = g_displayCheckVideoWindow;

  CollectFromDD7(record);

  // The DirectDraw ids above are for the log only; the caller's ids stand.
  JudgeTrace("VGA情報");
  JudgeTrace("VendorId = %08x DeviceId = %08x", vendorId, deviceId);
  record->vendorId = vendorId;
  record->deviceId = deviceId;

  TestDXOverlay(record);
  CollectFromDX7(record);

  ListJudgeFactors(record);
  DoJudge2(record, result);
  const OwnPartFault fault = TakeOwnPartFault();
  if (ownPartFault) *ownPartFault = fault;
  return fault.part == OwnPart::kNone ? 1 : 0;
}

int RunDisplayCheck(JudgeResult* result, uint32_t vendorId, uint32_t deviceId, OwnPartFault* ownPartFault) {
  DisplayCheckRecord record;
  return RunDisplayCheckOnRecord(&record, result, vendorId, deviceId, ownPartFault);
}
