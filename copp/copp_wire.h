#pragma once

#include <windows.h>
// The platform headers below build on windows.h.
#include <strmif.h>

#include <cstddef>
#include <cstdint>

// The platform headers carry the COPP interface and its 4096-byte records, but
// no import library holds the interface identifier: it is defined in copp_iid.cpp.
// Everything below is checked byte by byte, because the driver reads these
// records as raw memory on both 32-bit and 64-bit builds.
static_assert(sizeof(GUID) == 16, "GUID is 16 bytes");

static_assert(sizeof(AMCOPPSignature) == 256, "signature block");

static_assert(sizeof(AMCOPPStatusInput) == 4096, "status request");
static_assert(offsetof(AMCOPPStatusInput, rApp) == 0, "rApp");
static_assert(offsetof(AMCOPPStatusInput, guidStatusRequestID) == 16, "guidStatusRequestID");
static_assert(offsetof(AMCOPPStatusInput, dwSequence) == 32, "dwSequence");
static_assert(offsetof(AMCOPPStatusInput, cbSizeData) == 36, "cbSizeData");
static_assert(offsetof(AMCOPPStatusInput, StatusData) == 40, "StatusData");
static_assert(sizeof(AMCOPPStatusInput::StatusData) == 4056, "StatusData size");

static_assert(sizeof(AMCOPPStatusOutput) == 4096, "status answer");
static_assert(offsetof(AMCOPPStatusOutput, macKDI) == 0, "macKDI");
static_assert(offsetof(AMCOPPStatusOutput, cbSizeData) == 16, "cbSizeData");
static_assert(offsetof(AMCOPPStatusOutput, COPPStatus) == 20, "COPPStatus");
static_assert(sizeof(AMCOPPStatusOutput::COPPStatus) == 4076, "COPPStatus size");

// The platform header spells the command's length field bSizeData.
static_assert(sizeof(AMCOPPCommand) == 4096, "command");
static_assert(offsetof(AMCOPPCommand, macKDI) == 0, "macKDI");
static_assert(offsetof(AMCOPPCommand, guidCommandID) == 16, "guidCommandID");
static_assert(offsetof(AMCOPPCommand, dwSequence) == 32, "dwSequence");
static_assert(offsetof(AMCOPPCommand, bSizeData) == 36, "bSizeData");
static_assert(offsetof(AMCOPPCommand, CommandData) == 40, "CommandData");
static_assert(sizeof(AMCOPPCommand::CommandData) == 4056, "CommandData size");

// The MAC covers everything after the 16-byte tag field of a record.
constexpr size_t kCoppMacOffset = 16;
constexpr size_t kCoppMacLength = 4096 - kCoppMacOffset;

#pragma pack(push, 4)
struct DXVA_COPPStatusData {
  GUID rApp;
  uint32_t dwFlags;
  uint32_t dwData;
  uint32_t ExtendedInfo;
  uint32_t Reserved;
};
struct DXVA_COPPSetProtectionLevelCmdData {
  uint32_t ProtType;
  uint32_t ProtLevel;
  uint32_t ExtendedInfoChangeMask;
  uint32_t ExtendedInfoData;
};
#pragma pack(pop)

static_assert(sizeof(DXVA_COPPStatusData) == 32, "status data");
static_assert(offsetof(DXVA_COPPStatusData, rApp) == 0, "rApp");
static_assert(offsetof(DXVA_COPPStatusData, dwFlags) == 16, "dwFlags");
static_assert(offsetof(DXVA_COPPStatusData, dwData) == 20, "dwData");
static_assert(offsetof(DXVA_COPPStatusData, ExtendedInfo) == 24, "ExtendedInfo");
static_assert(offsetof(DXVA_COPPStatusData, Reserved) == 28, "Reserved");

static_assert(sizeof(DXVA_COPPSetProtectionLevelCmdData) == 16, "level command data");
static_assert(offsetof(DXVA_COPPSetProtectionLevelCmdData, ProtType) == 0, "ProtType");
static_assert(offsetof(DXVA_COPPSetProtectionLevelCmdData, ProtLevel) == 4, "ProtLevel");
static_assert(offsetof(DXVA_COPPSetProtectionLevelCmdData, ExtendedInfoChangeMask) == 8, "mask");
static_assert(offsetof(DXVA_COPPSetProtectionLevelCmdData, ExtendedInfoData) == 12, "data");

// Published DXVA COPP request and command identifiers.
constexpr GUID DXVA_COPPQueryBusData = {
    0xC6F4D673, 0x6174, 0x4184, {0x8E, 0x35, 0xF6, 0xDB, 0x52, 0x00, 0xBC, 0xBA}};
constexpr GUID DXVA_COPPQueryConnectorType = {
    0x81D0BFD5, 0x6AFE, 0x48C2, {0x99, 0xC0, 0x95, 0xA0, 0x8F, 0x97, 0xC5, 0xDA}};
constexpr GUID DXVA_COPPQueryProtectionType = {
    0x38F2A801, 0x9A6C, 0x48BB, {0x91, 0x07, 0xB6, 0x69, 0x6E, 0x6F, 0x17, 0x97}};
constexpr GUID DXVA_COPPQueryLocalProtectionLevel = {
    0xB2075857, 0x3EDA, 0x4D5D, {0x88, 0xDB, 0x74, 0x8F, 0x8C, 0x1A, 0x05, 0x49}};
constexpr GUID DXVA_COPPQueryGlobalProtectionLevel = {
    0x1957210A, 0x7766, 0x452A, {0xB9, 0x9A, 0xD2, 0x7A, 0xED, 0x54, 0xF0, 0x3A}};
constexpr GUID DXVA_COPPSetProtectionLevel = {
    0x9BB9327C, 0x4EB5, 0x4727, {0x9F, 0x00, 0xB4, 0x2B, 0x09, 0x19, 0xC0, 0xDA}};

// Protection types as the driver's bit mask and the request data carry them.
constexpr uint32_t kCoppProtectionHdcp = 0x1;
constexpr uint32_t kCoppProtectionAcp = 0x2;
constexpr uint32_t kCoppProtectionCgmsa = 0x4;
constexpr uint32_t kCoppProtectionDpcp = 0x10;
constexpr uint32_t kCoppProtectionUnknown = 0x80000000u;
