#include <dshow.h>
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>

#include "sourcefilter/ball_source_ids.h"
#include "tests/graph_support/ball_source_dll.h"
#include "tests/graph_support/test_windows.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr wchar_t kClassKey[] = L"CLSID\\{289A8718-002D-4840-8D80-5E066F2DFE78}";

// The text of a value under HKEY_CLASSES_ROOT; "<missing>" when the key or value is absent.
std::wstring ReadText(const std::wstring& subKey, const wchar_t* name) {
  wchar_t text[MAX_PATH + 1] = {};
  DWORD bytes = sizeof text - sizeof(wchar_t);
  const LONG status =
      RegGetValueW(HKEY_CLASSES_ROOT, subKey.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &bytes);
  return status == ERROR_SUCCESS ? std::wstring(text) : std::wstring(L"<missing>");
}

TEST(BallSourceRegistration, RegisterWritesTheServerKeysAndUnregisterRemovesThem) {
  BallSourceDll dll;
  ASSERT_TRUE(dll.Loaded());
  const std::wstring server = std::wstring(kClassKey) + L"\\InprocServer32";
  {
    ScopedBallSourceUnregistered unregistered(dll);
    ASSERT_EQ(S_OK, unregistered.Result());
    EXPECT_EQ(L"<missing>", ReadText(kClassKey, nullptr));
    EXPECT_EQ(L"<missing>", ReadText(server, nullptr));
    // Unregistering what is not there is no failure.
    EXPECT_EQ(S_OK, dll.Unregister());
  }
  EXPECT_EQ(L"Bouncing Ball", ReadText(kClassKey, nullptr));
  EXPECT_EQ(std::wstring(dll.Path()), ReadText(server, nullptr));
  EXPECT_EQ(L"Both", ReadText(server, L"ThreadingModel"));
  // Registering twice keeps one set of keys.
  EXPECT_EQ(S_OK, dll.Register());
  EXPECT_EQ(L"Both", ReadText(server, L"ThreadingModel"));
}

// Another copy's uninstaller once deleted the class key of the copy in use,
// so that copy's display check could no longer build its graph.
TEST(BallSourceRegistration, UnregisterRemovesTheClassKeyOnlyWhileItNamesThisDll) {
  BallSourceDll dll;
  ASSERT_TRUE(dll.Loaded());
  std::wstring upperPath(dll.Path());
  CharUpperW(&upperPath[0]);
  struct Case {
    const wchar_t* what;
    std::wstring server;
    const wchar_t* left;
  } const cases[] = {
      {L"another copy's DLL", L"C:\\Tools\\Sol\\ball_source.dll", L"Bouncing Ball"},
      {L"this DLL, in other letter case", upperPath, L"<missing>"},
      {L"this DLL", dll.Path(), L"<missing>"},
  };
  const std::wstring serverKey = std::wstring(kClassKey) + L"\\InprocServer32";
  ScopedBallSourceUnregistered unregistered(dll);
  for (const Case& c : cases) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CLASSES_ROOT, serverKey.c_str(), 0, nullptr, 0, KEY_WRITE,
                                             nullptr, &key, nullptr));
    RegSetValueW(HKEY_CLASSES_ROOT, kClassKey, REG_SZ, L"Bouncing Ball", 0);
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(c.server.c_str()),
                   static_cast<DWORD>((c.server.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    EXPECT_EQ(S_OK, dll.Unregister()) << c.what;
    EXPECT_EQ(c.left, ReadText(kClassKey, nullptr)) << c.what;
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kClassKey);
  }
}

TEST(BallSourceRegistration, ComCreatesTheRegisteredFilter) {
  ScopedComApartment com;
  ComPtr<IBaseFilter> filter;
  ASSERT_EQ(S_OK, CoCreateInstance(kBallSourceClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                   reinterpret_cast<void**>(filter.GetAddressOf())));
  CLSID clsid{};
  ASSERT_EQ(S_OK, filter->GetClassID(&clsid));
  EXPECT_EQ(kBallSourceClsid, clsid);
}

TEST(BallSourceRegistration, ClassObjectServesOnlyTheBallSource) {
  BallSourceDll dll;
  ASSERT_TRUE(dll.Loaded());
  ComPtr<IClassFactory> factory;
  EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, dll.GetClassObject(CLSID_FilterGraph, IID_IClassFactory,
                                                          reinterpret_cast<void**>(factory.GetAddressOf())));
  EXPECT_EQ(nullptr, factory.Get());
  ASSERT_EQ(S_OK, dll.GetClassObject(kBallSourceClsid, IID_IClassFactory,
                                     reinterpret_cast<void**>(factory.GetAddressOf())));
  EXPECT_EQ(S_FALSE, dll.CanUnloadNow());

  ComPtr<IBaseFilter> filter;
  ComPtr<IUnknown> outer;
  EXPECT_EQ(CLASS_E_NOAGGREGATION,
            factory->CreateInstance(reinterpret_cast<IUnknown*>(factory.Get()), IID_IUnknown,
                                    reinterpret_cast<void**>(outer.GetAddressOf())));
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IBaseFilter,
                                          reinterpret_cast<void**>(filter.GetAddressOf())));
  factory.Reset();
  EXPECT_EQ(S_FALSE, dll.CanUnloadNow());
  filter.Reset();
  EXPECT_EQ(S_OK, dll.CanUnloadNow());
}

}  // namespace
