#pragma once

#include <windows.h>
// The platform headers below build on windows.h.
#include <objbase.h>
#include <wincrypt.h>

#include <utility>

// Owners for the handles a session start acquires only for itself.
class ScopedCryptKey {
 public:
  ScopedCryptKey() = default;
  ~ScopedCryptKey() { Reset(); }
  ScopedCryptKey(ScopedCryptKey&& other) noexcept : key_(std::exchange(other.key_, 0)) {}
  ScopedCryptKey& operator=(ScopedCryptKey&& other) noexcept {
    if (this != &other) {
      Reset();
      key_ = std::exchange(other.key_, 0);
    }
    return *this;
  }
  ScopedCryptKey(const ScopedCryptKey&) = delete;
  ScopedCryptKey& operator=(const ScopedCryptKey&) = delete;

  HCRYPTKEY Get() const { return key_; }
  HCRYPTKEY* Put() {
    Reset();
    return &key_;
  }
  void Reset() {
    if (key_) CryptDestroyKey(key_);
    key_ = 0;
  }

 private:
  HCRYPTKEY key_ = 0;
};

class ScopedModule {
 public:
  explicit ScopedModule(HMODULE module = nullptr) : module_(module) {}
  ~ScopedModule() {
    if (module_) FreeLibrary(module_);
  }
  ScopedModule(const ScopedModule&) = delete;
  ScopedModule& operator=(const ScopedModule&) = delete;
  HMODULE Get() const { return module_; }

 private:
  HMODULE module_;
};

// A buffer the peer allocated with the COM task allocator.
class ScopedTaskMem {
 public:
  ScopedTaskMem() = default;
  ~ScopedTaskMem() { CoTaskMemFree(bytes_); }
  ScopedTaskMem(const ScopedTaskMem&) = delete;
  ScopedTaskMem& operator=(const ScopedTaskMem&) = delete;
  BYTE* Get() const { return bytes_; }
  BYTE** Put() {
    CoTaskMemFree(bytes_);
    bytes_ = nullptr;
    return &bytes_;
  }

 private:
  BYTE* bytes_ = nullptr;
};
