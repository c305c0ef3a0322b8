#pragma once

#include <windows.h>
// The platform headers below build on windows.h.
#include <objbase.h>
#include <oleauto.h>
#include <wincrypt.h>

#include <type_traits>
#include <utility>

// The one owner of a platform handle: move-only, released on scope exit.
// `Traits` names the handle type, its empty value and how it is released.
// put() releases what is held before a callee fills the slot again.
template <typename Traits>
class Owned {
 public:
  using Handle = typename Traits::Handle;
  // Handles are passed by value; a VARIANT is passed by reference.
  using View = std::conditional_t<std::is_scalar_v<Handle>, Handle, const Handle&>;

  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  ~Owned() { reset(); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : handle_(other.release()) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  View get() const { return handle_; }
  explicit operator bool() const { return Traits::IsHeld(handle_); }
  Handle* put() {
    reset();
    return &handle_;
  }
  void reset(Handle handle = Traits::Empty()) {
    Handle old = std::exchange(handle_, handle);
    if (Traits::IsHeld(old)) Traits::Release(old);
  }
  Handle release() { return std::exchange(handle_, Traits::Empty()); }

 private:
  Handle handle_ = Traits::Empty();
};

namespace handle_traits {

template <typename H>
struct Simple {
  using Handle = H;
  static Handle Empty() { return H{}; }
  static bool IsHeld(Handle handle) { return handle != H{}; }
};

// CreateFile says "none" with INVALID_HANDLE_VALUE, most others with null.
struct Kernel : Simple<HANDLE> {
  static bool IsHeld(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }
  static void Release(HANDLE handle) { ::CloseHandle(handle); }
};
struct RegKey : Simple<HKEY> {
  static void Release(HKEY key) { ::RegCloseKey(key); }
};
struct Module : Simple<HMODULE> {
  static void Release(HMODULE module) { ::FreeLibrary(module); }
};
template <typename H>
struct GdiObject : Simple<H> {
  static void Release(H object) { ::DeleteObject(object); }
};
struct CryptProvider : Simple<HCRYPTPROV> {
  static void Release(HCRYPTPROV provider) { ::CryptReleaseContext(provider, 0); }
};
struct CryptKey : Simple<HCRYPTKEY> {
  static void Release(HCRYPTKEY key) { ::CryptDestroyKey(key); }
};
struct Bstr : Simple<BSTR> {
  static void Release(BSTR text) { ::SysFreeString(text); }
};
struct LocalMem : Simple<HLOCAL> {
  static void Release(HLOCAL block) { ::LocalFree(block); }
};
template <typename T>
struct TaskMem : Simple<T*> {
  static void Release(T* block) { ::CoTaskMemFree(block); }
};
// Zero is VT_EMPTY, which holds nothing to clear.
struct Variant {
  using Handle = VARIANT;
  static VARIANT Empty() { return VARIANT{}; }
  static bool IsHeld(const VARIANT& value) { return value.vt != VT_EMPTY; }
  static void Release(VARIANT& value) { ::VariantClear(&value); }
};

}  // namespace handle_traits

using OwnedHandle = Owned<handle_traits::Kernel>;
using OwnedRegKey = Owned<handle_traits::RegKey>;
using OwnedModule = Owned<handle_traits::Module>;
using OwnedBitmap = Owned<handle_traits::GdiObject<HBITMAP>>;
using OwnedPalette = Owned<handle_traits::GdiObject<HPALETTE>>;
using OwnedFont = Owned<handle_traits::GdiObject<HFONT>>;
using OwnedBrush = Owned<handle_traits::GdiObject<HBRUSH>>;
using OwnedCryptProvider = Owned<handle_traits::CryptProvider>;
using OwnedCryptKey = Owned<handle_traits::CryptKey>;
using OwnedLocalMem = Owned<handle_traits::LocalMem>;
using OwnedBstr = Owned<handle_traits::Bstr>;
using OwnedVariant = Owned<handle_traits::Variant>;
// A block a peer allocated with the COM task allocator.
template <typename T>
using OwnedTaskMem = Owned<handle_traits::TaskMem<T>>;
