#pragma once

#include <windows.h>

// The ball source server of this build tree, loaded into the test process so
// that a test can register or unregister it through its own exports.
class BallSourceDll {
 public:
  BallSourceDll();
  ~BallSourceDll();
  BallSourceDll(const BallSourceDll&) = delete;
  BallSourceDll& operator=(const BallSourceDll&) = delete;

  bool Loaded() const { return module_ != nullptr; }
  HRESULT Register() const;
  HRESULT Unregister() const;
  HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) const;
  HRESULT CanUnloadNow() const;
  // The module's own path, as its registration records it.
  const wchar_t* Path() const { return path_; }

 private:
  HRESULT Call(const char* name) const;
  HMODULE module_ = nullptr;
  wchar_t path_[MAX_PATH] = {};
};

// Unregisters the source for its lifetime and registers it again afterwards.
class ScopedBallSourceUnregistered {
 public:
  explicit ScopedBallSourceUnregistered(const BallSourceDll& dll) : dll_(dll) { result_ = dll_.Unregister(); }
  ~ScopedBallSourceUnregistered() { dll_.Register(); }
  ScopedBallSourceUnregistered(const ScopedBallSourceUnregistered&) = delete;
  ScopedBallSourceUnregistered& operator=(const ScopedBallSourceUnregistered&) = delete;
  HRESULT Result() const { return result_; }

 private:
  const BallSourceDll& dll_;
  HRESULT result_;
};
