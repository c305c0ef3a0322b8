#include "tools/window_reading/debug_output_listener.h"

#include <cstring>

DebugOutputListener::DebugOutputListener() {
  bufferReady_ = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_BUFFER_READY");
  dataReady_ = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_DATA_READY");
  mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, "DBWIN_BUFFER");
  if (!bufferReady_ || !dataReady_ || !mapping_) return;
  view_ = static_cast<const BYTE*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 4096));
  if (view_) thread_ = std::thread([this] { Run(); });
}

DebugOutputListener::~DebugOutputListener() {
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
  if (view_) UnmapViewOfFile(view_);
  for (HANDLE handle : {mapping_, dataReady_, bufferReady_}) {
    if (handle) CloseHandle(handle);
  }
}

void DebugOutputListener::Follow(DWORD processId) {
  std::lock_guard<std::mutex> guard(lock_);
  processId_ = processId;
  messages_.clear();
}

std::vector<DebugOutputListener::Message> DebugOutputListener::Messages() const {
  std::lock_guard<std::mutex> guard(lock_);
  return messages_;
}

void DebugOutputListener::Run() {
  SetEvent(bufferReady_);
  while (!stopping_) {
    if (WaitForSingleObject(dataReady_, 100) != WAIT_OBJECT_0) continue;
    const DWORD tick = GetTickCount();
    DWORD sender = 0;
    std::memcpy(&sender, view_, sizeof(sender));
    const char* text = reinterpret_cast<const char*>(view_ + sizeof(sender));
    const std::string message(text, strnlen(text, 4096 - sizeof(sender)));
    {
      std::lock_guard<std::mutex> guard(lock_);
      if (sender == processId_) messages_.push_back({tick, message});
    }
    SetEvent(bufferReady_);
  }
}
