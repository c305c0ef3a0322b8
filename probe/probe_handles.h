#pragma once

#include <windows.h>
#include <oleauto.h>

#include "handles/scoped_reg_key.h"

// Owners for the handle kinds the probes hold. None is copyable or movable:
// every one lives and dies inside a single probe call.

class ScopedBstr {
 public:
  explicit ScopedBstr(const wchar_t* text) : value_(SysAllocString(text)) {}
  ~ScopedBstr() { SysFreeString(value_); }
  ScopedBstr(const ScopedBstr&) = delete;
  ScopedBstr& operator=(const ScopedBstr&) = delete;

  BSTR get() const { return value_; }

 private:
  BSTR value_;
};

class ScopedVariant {
 public:
  ScopedVariant() { VariantInit(&value_); }
  ~ScopedVariant() { VariantClear(&value_); }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;

  const VARIANT& get() const { return value_; }
  // Clears what is held before handing the slot to a callee that fills it.
  VARIANT* put() {
    VariantClear(&value_);
    return &value_;
  }

 private:
  VARIANT value_;
};

class ScopedLibrary {
 public:
  explicit ScopedLibrary(const char* name) : module_(LoadLibraryA(name)) {}
  ~ScopedLibrary() {
    if (module_) FreeLibrary(module_);
  }
  ScopedLibrary(const ScopedLibrary&) = delete;
  ScopedLibrary& operator=(const ScopedLibrary&) = delete;

  HMODULE get() const { return module_; }

 private:
  HMODULE module_;
};
