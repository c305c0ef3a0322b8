#pragma once

#include <windows.h>

// A COM server DLL of this build tree, loaded into the test process so that
// a test can register or unregister it through its own exports.
class ComServerDll {
 public:
  explicit ComServerDll(const char* path);
  ~ComServerDll();
  ComServerDll(const ComServerDll&) = delete;
  ComServerDll& operator=(const ComServerDll&) = delete;

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

// Our bouncing-ball source filter.
class BallSourceDll : public ComServerDll {
 public:
  BallSourceDll();
};

// The simulated graphics driver that stands in for the platform's renderer.
class SimRendererDll : public ComServerDll {
 public:
  SimRendererDll();
};

// Unregisters the source for its lifetime and registers it again afterwards.
// The registration outlives this process and every later test needs it: a
// failed re-registration fails the test that caused it, then tries once more
// through regsvr32, a process whose handles nothing here can have spoilt.
class ScopedBallSourceUnregistered {
 public:
  explicit ScopedBallSourceUnregistered(const ComServerDll& dll) : dll_(dll) { result_ = dll_.Unregister(); }
  ~ScopedBallSourceUnregistered();
  ScopedBallSourceUnregistered(const ScopedBallSourceUnregistered&) = delete;
  ScopedBallSourceUnregistered& operator=(const ScopedBallSourceUnregistered&) = delete;
  HRESULT Result() const { return result_; }

 private:
  const ComServerDll& dll_;
  HRESULT result_;
};
