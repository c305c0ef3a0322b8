#pragma once

// The small answer codes the COPP layer gives the judgement engine. A plain
// enum on purpose: callers compare the codes as the integers they are.
enum CoppResult : int {
  kCoppOk = 0,
  kCoppFailed = 1,
  kCoppNoInterface = 2,
  kCoppNoHardware = 3,
  kCoppRetryFromStart = 4,
};

// The graphics facility's way of asking for the whole check to start again.
constexpr long kCoppRetryHr = static_cast<long>(0xC026251EL);
// DirectShow's "no COPP hardware" (VFW_E_NO_COPP_HW).
constexpr long kCoppNoHardwareHr = static_cast<long>(0x8004029BL);
