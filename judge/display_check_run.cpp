#include "judge/display_check_run.h"

#include "copp/copp_queries.h"
#include "copp/copp_session.h"
#include "copp/renderer_graph.h"
#include "judge/judge_flow.h"
#include "judge/judge_log.h"
#include "probe/directdraw_probe.h"

namespace {

constexpr int kVideoControlId = 1001;
constexpr uint32_t kProtectionHdcp = 1;
constexpr uint32_t kProtectionCgmsa = 4;
constexpr DWORD kHdcpSettleMilliseconds = 1000;

HWND g_displayCheckMainWindow = nullptr;

bool LevelIs(uint32_t level, uint32_t expected) { return (level & kLevelValueMask) == expected; }

// Switches HDCP on and reads the local level back after the driver settles.
void TestHdcpSet(DisplayCheckRecord* record, uint32_t* scratchFlags) {
  CoppGetGlobalLevel(&record->hdcpGlobalLevel, scratchFlags);
  CoppGetHdcpLocalLevel(&record->hdcpLocalLevel, scratchFlags);
  JudgeTrace("HDCPの設定テスト");
  CoppSetHdcpLevel(1);
  Sleep(kHdcpSettleMilliseconds);
  CoppGetGlobalLevel(&record->hdcpGlobalLevel, scratchFlags);
  CoppGetHdcpLocalLevel(&record->hdcpLocalLevel, scratchFlags);
  if (LevelIs(record->hdcpLocalLevel, 1)) record->hdcpSetOk = 1;
}

// CGMS-A counts only when every level from CopyFreely to CopyNever takes.
void TestCgmsaSet(DisplayCheckRecord* record, uint32_t* scratchFlags) {
  CoppGetCgmsaGlobalLevel(&record->cgmsaGlobalLevel, scratchFlags);
  CoppGetCgmsaLocalLevel(&record->cgmsaLocalLevel, scratchFlags);
  JudgeTrace("CGMSAの設定テスト");
  for (uint32_t level = 1; level <= 4; ++level) {
    CoppSetCgmsaLevel(level);
    CoppGetCgmsaLocalLevel(&record->cgmsaLocalLevel, scratchFlags);
    if (LevelIs(record->cgmsaLocalLevel, level)) ++record->cgmsaLevelsOk;
  }
  if (record->cgmsaLevelsOk < 4) record->cgmsaLevelsOk = 0;
}

}  // namespace

void SetDisplayCheckMainWindow(HWND mainWindow) { g_displayCheckMainWindow = mainWindow; }

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
  record->protectionTypes = 0x80000000;
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
    CoppGetBusType(&record->busType, &scratchFlags);
    CoppGetConnectorType(&record->connectorType, &scratchFlags);
    CoppGetProtectionTypes(&record->protectionTypes, &scratchFlags);
    if (record->protectionTypes & kProtectionHdcp) TestHdcpSet(record, &scratchFlags);
    if (record->protectionTypes & kProtectionCgmsa) TestCgmsaSet(record, &scratchFlags);
  }

  // Session before graph: the session holds an interface of the renderer.
  CoppCloseSession();
  CloseRendererGraph();
  return 1;
}

int RunDisplayCheckOnRecord(DisplayCheckRecord* record, JudgeResult* result, uint32_t vendorId,
                            uint32_t deviceId) {
  JudgeTrace("========== 判定ログ ==========");

  *record = DisplayCheckRecord{};
  record->mainWindow = g_displayCheckMainWindow;
  record->videoWindow =
      g_displayCheckMainWindow ? GetDlgItem(g_displayCheckMainWindow, kVideoControlId) : nullptr;

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
  return 1;
}

int RunDisplayCheck(JudgeResult* result, uint32_t vendorId, uint32_t deviceId) {
  DisplayCheckRecord record;
  return RunDisplayCheckOnRecord(&record, result, vendorId, deviceId);
}
