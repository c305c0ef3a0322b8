#pragma once

#include <cstdint>
#include <string>

// What this process holds of the system, for a soak to compare over many
// runs. Each count comes from the platform's own call where that call
// works; Wine answers GetGuiResources and GetProcessHandleCount with 0, so
// there the count is taken another way and `how` says which.
struct ProcessResources {
  uint32_t gdiObjects = 0;
  uint32_t userObjects = 0;
  uint32_t kernelHandles = 0;
  uint64_t privateBytes = 0;
  uint32_t threads = 0;
  std::string how;
};

ProcessResources MeasureProcessResources();

std::string Describe(const ProcessResources& resources);

// Threads of this process that are running now.
uint32_t CountThreads();

// Open kernel handles, by asking about every handle value in turn.
uint32_t CountKernelHandles();
