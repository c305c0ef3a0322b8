#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Listens to OutputDebugStringA of every process in the session, the way a
// debug-output viewer does (the DBWIN buffer and its two events), and keeps
// each message of one process with the time it arrived.
class DebugOutputListener {
 public:
  struct Message {
    DWORD tick;
    std::string text;
  };

  DebugOutputListener();
  ~DebugOutputListener();
  DebugOutputListener(const DebugOutputListener&) = delete;
  DebugOutputListener& operator=(const DebugOutputListener&) = delete;

  bool Listening() const { return view_ != nullptr; }
  void Follow(DWORD processId);
  std::vector<Message> Messages() const;

 private:
  void Run();

  HANDLE bufferReady_ = nullptr;
  HANDLE dataReady_ = nullptr;
  HANDLE mapping_ = nullptr;
  const BYTE* view_ = nullptr;
  volatile bool stopping_ = false;
  DWORD processId_ = 0;
  mutable std::mutex lock_;
  std::vector<Message> messages_;
  std::thread thread_;
};
