#include "tests/support/test_window.h"

namespace {

constexpr char kClassName[] = "CheckerTestMainWindow";

void RegisterTestClass() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kClassName;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  RegisterClassA(&windowClass);  // a second registration fails harmlessly
}

}  // namespace

TestMainWindow::TestMainWindow(int x, int y) {
  RegisterTestClass();
  window_ = CreateWindowExA(0, kClassName, "checker test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 480, 360,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  CreateWindowExA(0, "STATIC", "", WS_CHILD | SS_BLACKFRAME, 10, 10, 320, 240, window_,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(1001)), GetModuleHandleA(nullptr), nullptr);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

TestMainWindow::~TestMainWindow() {
  if (window_) DestroyWindow(window_);
}

std::string ToWindowsPath(const std::string& hostPath) {
  if (hostPath.empty() || hostPath[0] != '/') return hostPath;
  std::string path = "Z:" + hostPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

ScopedServerRegistration::ScopedServerRegistration(const std::string& hostPath) {
  module_ = LoadLibraryA(ToWindowsPath(hostPath).c_str());
  if (!module_) return;
  auto registerServer = reinterpret_cast<HRESULT(WINAPI*)()>(
      reinterpret_cast<void*>(GetProcAddress(module_, "DllRegisterServer")));
  result_ = registerServer ? registerServer() : E_NOINTERFACE;
}

ScopedServerRegistration::~ScopedServerRegistration() {
  if (!module_) return;
  auto unregisterServer = reinterpret_cast<HRESULT(WINAPI*)()>(
      reinterpret_cast<void*>(GetProcAddress(module_, "DllUnregisterServer")));
  if (SUCCEEDED(result_) && unregisterServer) unregisterServer();
  FreeLibrary(module_);
}
