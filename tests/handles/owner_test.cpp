#include "handles/owner.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// One kind of real Wine handle per row: how to open one and how to ask the
// platform, not the owner, whether it is still open.
struct KernelEvent {
  using Owner = OwnedHandle;
  static HANDLE Open() { return ::CreateEventA(nullptr, TRUE, FALSE, nullptr); }
  static bool IsOpen(HANDLE event) {
    DWORD flags = 0;
    return ::GetHandleInformation(event, &flags) != FALSE;
  }
};

struct RegistryKey {
  using Owner = OwnedRegKey;
  static HKEY Open() {
    HKEY key = nullptr;
    ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key);
    return key;
  }
  static bool IsOpen(HKEY key) {
    DWORD subKeys = 0;
    return ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  }
};

// Libraries nothing else in this program loads, so freeing one unloads it;
// two in turn, since loading one twice gives the same handle.
struct Library {
  using Owner = OwnedModule;
  static HMODULE Open() {
    static bool other = false;
    other = !other;
    return ::LoadLibraryA(other ? "msimg32.dll" : "dciman32.dll");
  }
  static bool IsOpen(HMODULE module) {
    char path[MAX_PATH];
    return ::GetModuleFileNameA(module, path, sizeof(path)) != 0;
  }
};

struct Brush {
  using Owner = OwnedBrush;
  static HBRUSH Open() { return ::CreateSolidBrush(RGB(1, 2, 3)); }
  static bool IsOpen(HBRUSH brush) { return ::GetObjectType(brush) == OBJ_BRUSH; }
};

struct Palette {
  using Owner = OwnedPalette;
  static HPALETTE Open() {
    LOGPALETTE logical = {0x300, 1, {{1, 2, 3, 0}}};
    return ::CreatePalette(&logical);
  }
  static bool IsOpen(HPALETTE palette) { return ::GetObjectType(palette) == OBJ_PAL; }
};

struct CryptProvider {
  using Owner = OwnedCryptProvider;
  static HCRYPTPROV Open() {
    HCRYPTPROV provider = 0;
    ::CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT);
    return provider;
  }
  static bool IsOpen(HCRYPTPROV provider) {
    BYTE random[4];
    return ::CryptGenRandom(provider, sizeof(random), random) != FALSE;
  }
};

struct CryptKey {
  using Owner = OwnedCryptKey;
  static HCRYPTKEY Open() {
    static const HCRYPTPROV provider = CryptProvider::Open();  // lives as long as the program
    HCRYPTKEY key = 0;
    ::CryptGenKey(provider, CALG_AES_128, CRYPT_EXPORTABLE, &key);
    return key;
  }
  static bool IsOpen(HCRYPTKEY key) {
    DWORD algorithm = 0;
    DWORD size = sizeof(algorithm);
    return ::CryptGetKeyParam(key, KP_ALGID, reinterpret_cast<BYTE*>(&algorithm), &size, 0) != FALSE;
  }
};

template <typename Kind>
class OwnerTest : public testing::Test {};
using Kinds = testing::Types<KernelEvent, RegistryKey, Library, Brush, Palette, CryptProvider, CryptKey>;
TYPED_TEST_SUITE(OwnerTest, Kinds);

TYPED_TEST(OwnerTest, ResetAndScopeExitReallyClose) {
  const auto first = TypeParam::Open();
  const auto second = TypeParam::Open();
  ASSERT_TRUE(TypeParam::IsOpen(first) && TypeParam::IsOpen(second));
  {
    typename TypeParam::Owner owner(first);
    EXPECT_TRUE(owner);
    owner.reset(second);
    EXPECT_FALSE(TypeParam::IsOpen(first));
    EXPECT_EQ(second, owner.get());
  }
  EXPECT_FALSE(TypeParam::IsOpen(second));
}

TYPED_TEST(OwnerTest, PutReleasesWhatIsHeldBeforeHandingOutTheSlot) {
  const auto held = TypeParam::Open();
  typename TypeParam::Owner owner(held);
  auto* slot = owner.put();
  EXPECT_FALSE(TypeParam::IsOpen(held));
  EXPECT_FALSE(owner);
  *slot = TypeParam::Open();
  EXPECT_TRUE(TypeParam::IsOpen(owner.get()));
}

TYPED_TEST(OwnerTest, MoveLeavesTheSourceEmptyAndReleaseClosesNothing) {
  const auto handle = TypeParam::Open();
  typename TypeParam::Owner source(handle);
  typename TypeParam::Owner target(std::move(source));
  EXPECT_FALSE(source);
  EXPECT_EQ(handle, target.get());
  typename TypeParam::Owner assigned;
  assigned = std::move(target);
  EXPECT_FALSE(target);
  EXPECT_TRUE(TypeParam::IsOpen(handle));
  typename TypeParam::Owner taken(assigned.release());
  EXPECT_FALSE(assigned);
  EXPECT_TRUE(TypeParam::IsOpen(taken.get()));
}

}  // namespace
