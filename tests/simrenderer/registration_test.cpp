#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/graph_support/ball_source_dll.h"

namespace {

constexpr char kServerKey[] =
    "Software\\Classes\\CLSID\\{B87BEB7B-8D29-423F-AE4D-6582C10175AC}\\InprocServer32";

// Reads one string value of the renderer's server key; "<none>" if absent.
std::string ServerValue(const char* name) {
  char buffer[MAX_PATH * 2] = {};
  DWORD size = sizeof(buffer) - 1;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, kServerKey, name, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
      ERROR_SUCCESS) {
    return "<none>";
  }
  return buffer;
}

std::string Narrow(const wchar_t* text) {
  char buffer[MAX_PATH * 2] = {};
  WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof(buffer) - 1, nullptr, nullptr);
  return buffer;
}

TEST(SimRendererRegistration, TakesThePlatformRenderersPlaceAndGivesItBack) {
  SimRendererDll dll;
  ASSERT_TRUE(dll.Loaded());
  const std::string platformServer = ServerValue(nullptr);
  const std::string platformModel = ServerValue("ThreadingModel");
  ASSERT_NE("<none>", platformServer);

  ASSERT_EQ(S_OK, dll.Register());
  EXPECT_EQ(Narrow(dll.Path()), ServerValue(nullptr));
  EXPECT_EQ("Both", ServerValue("ThreadingModel"));
  EXPECT_EQ(platformServer, ServerValue("SimulatedDriverSavedServer"));

  // A second registration must not save our own path as the platform's.
  ASSERT_EQ(S_OK, dll.Register());
  EXPECT_EQ(platformServer, ServerValue("SimulatedDriverSavedServer"));

  ASSERT_EQ(S_OK, dll.Unregister());
  EXPECT_EQ(platformServer, ServerValue(nullptr));
  EXPECT_EQ(platformModel, ServerValue("ThreadingModel"));
  EXPECT_EQ("<none>", ServerValue("SimulatedDriverSavedServer"));
  EXPECT_EQ("<none>", ServerValue("SimulatedDriverSavedThreadingModel"));

  // Nothing of ours left to undo.
  EXPECT_EQ(S_FALSE, dll.Unregister());
  EXPECT_EQ(platformServer, ServerValue(nullptr));
}

}  // namespace
