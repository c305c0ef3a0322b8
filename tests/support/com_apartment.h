#pragma once

#include <objbase.h>
#include <windows.h>

// Single-threaded apartment for the length of one test or fixture.
class ScopedComApartment {
 public:
  ScopedComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ScopedComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ScopedComApartment(const ScopedComApartment&) = delete;
  ScopedComApartment& operator=(const ScopedComApartment&) = delete;
  HRESULT Result() const { return result_; }

 private:
  HRESULT result_;
};
