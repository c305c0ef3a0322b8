#pragma once

#include <windows.h>

#include <cstdint>

constexpr uint32_t kLevelValueMask = 0x7FFFFFFF;  // drivers may set bit 31 on levels
constexpr uint32_t kInternalBit = 0x80000000;

// The answers of one display check. Lives for one run, zero-filled first.
struct DisplayCheckRecord {
  HWND mainWindow;
  HWND videoWindow;
  uint32_t vendorId;
  uint32_t deviceId;
  uint32_t busType;
  uint32_t connectorType;
  uint32_t protectionTypes;
  uint32_t hdcpGlobalLevel;
  uint32_t hdcpLocalLevel;
  uint32_t cgmsaGlobalLevel;
  uint32_t cgmsaLocalLevel;
  int overlayOk;
  int coppOk;
  int hdcpSetOk;
  int cgmsaLevelsOk;  // 0 or 4: only all four CGMS-A levels count
  int retryFromStart;
};

int IsOverlayUsable(const DisplayCheckRecord* record);
int IsCoppUsable(const DisplayCheckRecord* record);
int IsConnectorInternal(const DisplayCheckRecord* record);
int IsBusPciExpress(const DisplayCheckRecord* record);
int IsDigitalConnector(const DisplayCheckRecord* record);
int IsHdcpSetOk(const DisplayCheckRecord* record);
int IsVgaConnector(const DisplayCheckRecord* record);
int IsCgmsaOk(const DisplayCheckRecord* record);
int NeedsRetryFromStart(const DisplayCheckRecord* record);
