#pragma once

#include <string>

// Facts about the PC read from WMI, one query per call. Any thread may call:
// each query runs on a worker of its own. None reports failure: the output
// then keeps its empty value (empty text, 0.0, position 0), also when a
// step of the query took longer than kWmiStepBoundMs (probe/wmi_session.h)
// or an earlier one is still stuck. Texts are in the ANSI code page.

// Operating-system caption, one blank, the service-pack text.
void WmiGetOsName(std::string* osName);

// Processor name, one blank, the clock ("999 MHz", "2.67 GHz").
void WmiGetCpuName(std::string* cpuName);

// Physical memory byte count as text followed by " Byte".
void WmiGetTotalPhysicalMemory(std::string* memoryText);

// Sum of the capacities of all memory modules, in bytes.
void WmiGetInstalledMemory(double* bytes);

// Name of the video controller at a 0-based position of the enumeration.
// The first read after WmiFindVideoController takes the name from that
// find's own enumeration instead of asking again; later reads ask.
void WmiGetVideoControllerName(int position, std::string* name);

// 0-based position of the first video controller whose PNPDeviceID matches
// the given ID (case-insensitive, over the shorter length); 0 when none does.
void WmiFindVideoController(const std::string& pnpDeviceId, int* position);
