#include "tests/judge/run_log_expectations.h"

#include <windows.h>
// The platform headers below build on windows.h.
#include <ddraw.h>
#include <wrl/client.h>

#include <cstdio>

#include "tests/support/golden_file.h"

namespace {

const char* HdcpName(uint32_t level) { return level == 0 ? "COPP_HDCP_Level0" : "COPP_HDCP_Level1"; }

const char* CgmsaName(uint32_t level) {
  static const char* const names[] = {"COPP_CGMSA_Disabled", "COPP_CGMSA_CopyFreely", "COPP_CGMSA_CopyNoMore",
                                      "COPP_CGMSA_CopyOneGeneration", "COPP_CGMSA_CopyNever"};
  return names[level];
}

}  // namespace

std::string Hex8(uint32_t value) {
  char text[16];
  snprintf(text, sizeof(text), "%08x", value);
  return text;
}

std::string IdLine(uint32_t vendor, uint32_t device) {
  return "VendorId = " + Hex8(vendor) + " DeviceId = " + Hex8(device);
}

bool DirectDrawDeviceIds(uint32_t* vendor, uint32_t* device) {
  Microsoft::WRL::ComPtr<IDirectDraw7> directDraw;
  DDDEVICEIDENTIFIER2 identifier{};
  if (FAILED(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(directDraw.GetAddressOf()),
                                IID_IDirectDraw7, nullptr)) ||
      FAILED(directDraw->GetDeviceIdentifier(&identifier, 0))) {
    return false;
  }
  *vendor = identifier.dwVendorId;
  *device = identifier.dwDeviceId;
  return true;
}

Lines RunHead(uint32_t callerVendor, uint32_t callerDevice) {
  Lines lines = {"========== 判定ログ =========="};
  uint32_t vendor = 0, device = 0;
  if (DirectDrawDeviceIds(&vendor, &device)) {
    lines.push_back("DD7VGA情報");
    lines.push_back(IdLine(vendor, device));
  }
  lines.push_back("VGA情報");
  lines.push_back(IdLine(callerVendor, callerDevice));
  lines.push_back("オーバーレイテスト結果");
  lines.push_back("可");
  return lines;
}

Lines FlowTail(const std::string& golden, bool pciExpressBus) {
  Lines lines = GoldenLines("judge_flow/" + golden + ".txt");
  for (size_t i = 0; !pciExpressBus && i + 1 < lines.size(); ++i) {
    if (lines[i] == "バスタイプがPCI-Express？") lines[i + 1] = "NO";
  }
  return lines;
}

void Append(Lines* lines, const Lines& more) { lines->insert(lines->end(), more.begin(), more.end()); }

Lines Concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) Append(&all, part);
  return all;
}

Lines Query(const char* what, uint32_t value, Lines names) {
  return Concat({{std::string(what) + "の取得データ = " + Hex8(value)}, names});
}

Lines HdcpSetTest(uint32_t localAfter, Lines localAfterNames) {
  return Concat({Query("Global Protection Level", 0, {HdcpName(0)}),
                 Query("HDCP Local Protection Level", 0, {HdcpName(0)}),
                 {"HDCPの設定テスト", "COPP_HDCP_Level1"},
                 Query("Global Protection Level", 0, {HdcpName(0)}),
                 Query("HDCP Local Protection Level", localAfter, localAfterNames)});
}

Lines CgmsaSetTest(const bool takes[5]) {
  Lines lines = Concat({Query("CGMSA Global Protection Level", 0, {CgmsaName(0)}),
                        Query("CGMSA Local Protection Level", 0, {CgmsaName(0)}),
                        {"CGMSAの設定テスト"}});
  uint32_t local = 0;
  for (uint32_t level = 1; level <= 4; ++level) {
    lines.push_back(CgmsaName(level));
    if (takes[level]) local = level;
    Append(&lines, Query("CGMSA Local Protection Level", local, {CgmsaName(local)}));
  }
  return lines;
}

Lines CollectionHead(uint32_t bus, Lines busNames, uint32_t connector, Lines connectorNames, uint32_t mask,
                     Lines maskNames) {
  return Concat({{" --------- COPP通信テスト ---------"},
                 Query("Connector Type", connector, connectorNames),
                 {" --------- COPPによるデータの収集 ---------"},
                 Query("Bus Type", bus, busNames),
                 Query("Connector Type", connector, connectorNames),
                 Query("Protection Type", mask, maskNames)});
}

Lines CgmsaOnly(uint32_t bus, const char* busName, uint32_t connector, const char* connectorName,
                const bool takes[5], const Lines& judgement) {
  return Concat({CollectionHead(bus, {busName}, connector, {connectorName}, 4, {"COPP_ProtectionType_CGMSA"}),
                 CgmsaSetTest(takes), judgement});
}

DisplayCheckRecord ExpectedRecord(uint32_t vendor, uint32_t device, uint32_t bus, uint32_t connector,
                                  uint32_t mask, int hdcpSetOk, int cgmsaLevelsOk) {
  DisplayCheckRecord record{};
  record.vendorId = vendor;
  record.deviceId = device;
  record.overlayOk = 1;
  record.coppOk = 1;
  record.busType = bus;
  record.connectorType = connector;
  record.protectionTypes = mask;
  record.hdcpSetOk = hdcpSetOk;
  record.cgmsaLevelsOk = cgmsaLevelsOk;
  return record;
}

DisplayCheckRecord FailedCoppRecord(uint32_t vendor, uint32_t device, int retry) {
  DisplayCheckRecord record = ExpectedRecord(vendor, device, 0, 0xFFFFFFFF, 0x80000000);
  record.coppOk = 0;
  record.retryFromStart = retry;
  return record;
}

std::string Describe(const JudgeResult& r) {
  char text[128];
  snprintf(text, sizeof(text), "ok%d down%d ng%d vga%d ov%d copp%d hdcp%d cgmsa%d retry%d", r.displayOk,
           r.displayDownscaled, r.displayNg, r.analogVgaOutput, r.ngOverlay, r.ngCopp, r.ngHdcp, r.ngCgmsa,
           r.retryFromStart);
  return text;
}
