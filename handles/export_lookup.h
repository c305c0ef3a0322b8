#pragma once

#include <windows.h>

// Typed GetProcAddress for the exports looked up at run time; null when the
// module or the export is missing. The detour through void* keeps GCC's
// function-cast warning quiet for a cast the platform guarantees.
template <typename Function>
Function LookUpExport(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
