#include "tests/judge/process_resources.h"

#include <windows.h>
// The platform headers below build on windows.h.
#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdio>

namespace {

// One cell of the GDI handle table that the system maps into every process
// (the PEB's GdiSharedHandleTable): 24 bytes, as on 64-bit Windows and on
// WOW64, and as Wine lays it out for both.
#pragma pack(push, 1)
struct GdiCell {
  uint64_t kernelObject;
  uint16_t processId;
  uint16_t count;
  uint16_t unique;
  uint8_t type;
  uint8_t flags;
  uint64_t userObject;
};
#pragma pack(pop)
static_assert(sizeof(GdiCell) == 24, "GDI handle table cell");

constexpr uint32_t kGdiCells = 0x10000;
constexpr size_t kPebGdiTableOffset = sizeof(void*) == 4 ? 0x94 : 0xF8;

// Wine leaves the owner at 0 on its own process-wide table.
uint32_t CountGdiCells() {
  PROCESS_BASIC_INFORMATION basic = {};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof(basic),
                                nullptr) != 0)
    return 0;
  const BYTE* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
  const GdiCell* cells = *reinterpret_cast<const GdiCell* const*>(peb + kPebGdiTableOffset);
  if (!cells) return 0;
  const uint16_t self = static_cast<uint16_t>(GetCurrentProcessId());
  uint32_t count = 0;
  for (uint32_t i = 0; i < kGdiCells; ++i) {
    if (cells[i].type != 0 && (cells[i].processId == self || cells[i].processId == 0)) ++count;
  }
  return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM counter) {
  ++*reinterpret_cast<uint32_t*>(counter);
  return TRUE;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM counter) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<uint32_t*>(counter);
  EnumChildWindows(window, CountChild, counter);
  return TRUE;
}

// Windows are the USER objects a renderer makes: top-level, child and message-only.
uint32_t CountWindows() {
  uint32_t count = 0;
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
  for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
       window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) {
    CountWindow(window, reinterpret_cast<LPARAM>(&count));
  }
  return count;
}

// The private commit as the address space shows it: what PrivateUsage
// counts on Windows, without the resident-page view Wine gives instead.
uint64_t SumPrivateCommit() {
  uint64_t total = 0;
  MEMORY_BASIC_INFORMATION info;
  for (const BYTE* address = nullptr; VirtualQuery(address, &info, sizeof(info)) == sizeof(info);
       address = static_cast<const BYTE*>(info.BaseAddress) + info.RegionSize) {
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) {
      total += info.RegionSize;
    }
    if (info.RegionSize == 0) break;
  }
  return total;
}

}  // namespace

// Handles are handed out lowest free slot first, so a long run of unused
// values means the table has ended.
uint32_t CountKernelHandles() {
  constexpr uintptr_t kStep = 4;
  constexpr uint32_t kEndAfterUnused = 4096;
  uint32_t count = 0;
  uint32_t unused = 0;
  for (uintptr_t value = kStep; unused < kEndAfterUnused; value += kStep) {
    DWORD flags = 0;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
      ++count;
      unused = 0;
    } else {
      ++unused;
    }
  }
  return count;
}

uint32_t CountThreads() {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  uint32_t count = 0;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  }
  CloseHandle(snapshot);
  return count;
}

ProcessResources MeasureProcessResources() {
  ProcessResources r;
  const HANDLE self = GetCurrentProcess();
  r.gdiObjects = GetGuiResources(self, GR_GDIOBJECTS);
  r.userObjects = GetGuiResources(self, GR_USEROBJECTS);
  if (r.gdiObjects == 0 && r.userObjects == 0) {
    r.gdiObjects = CountGdiCells();
    r.userObjects = CountWindows();
    r.how += "GDI from the shared handle table, USER as windows, ";
  }
  DWORD handles = 0;
  if (GetProcessHandleCount(self, &handles) && handles != 0) {
    r.kernelHandles = handles;
  } else {
    r.kernelHandles = CountKernelHandles();
    r.how += "handles by probing, ";
  }
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof(memory);
  if (GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory))) {
    r.privateBytes = memory.PrivateUsage;
  }
  if (r.privateBytes == 0) {
    r.privateBytes = SumPrivateCommit();
    r.how += "private bytes as the committed private regions, ";
  }
  r.threads = CountThreads();
  r.how = r.how.empty() ? "the platform's counts" : r.how.substr(0, r.how.size() - 2);
  return r;
}

std::string Describe(const ProcessResources& r) {
  char text[160];
  snprintf(text, sizeof(text), "GDI %u, USER %u, handles %u, private %llu bytes, %u threads", r.gdiObjects,
           r.userObjects, r.kernelHandles, static_cast<unsigned long long>(r.privateBytes), r.threads);
  return text;
}
