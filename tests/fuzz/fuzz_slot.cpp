#include "tests/fuzz/fuzz_slot.h"

FuzzSlotMapping::FuzzSlotMapping(const char* name, bool create) {
  mapping_ =
      create ? CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(FuzzSlot), name)
             : OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name);
  if (!mapping_) return;
  slot_ = static_cast<FuzzSlot*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(FuzzSlot)));
}

FuzzSlotMapping::~FuzzSlotMapping() {
  if (slot_) UnmapViewOfFile(slot_);
  if (mapping_) CloseHandle(mapping_);
}
