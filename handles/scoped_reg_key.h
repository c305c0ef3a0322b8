#pragma once

#include <windows.h>

// Owns an open registry key; put() closes what is held before a callee
// fills the slot again.
class ScopedRegKey {
 public:
  ScopedRegKey() = default;
  ~ScopedRegKey() { Reset(); }
  ScopedRegKey(const ScopedRegKey&) = delete;
  ScopedRegKey& operator=(const ScopedRegKey&) = delete;

  HKEY get() const { return key_; }
  HKEY* put() {
    Reset();
    return &key_;
  }

 private:
  void Reset() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
  }
  HKEY key_ = nullptr;
};
