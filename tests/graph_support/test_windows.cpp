#include "tests/graph_support/test_windows.h"

namespace {

constexpr char kClassName[] = "GraphTestOwner";

ATOM RegisterOwnerClass() {
  static ATOM atom = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc);
  }();
  return atom;
}

}  // namespace

TestWindows::TestWindows() {
  if (!RegisterOwnerClass()) return;
  owner_ = CreateWindowExA(0, kClassName, "graph test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 420, 340,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!owner_) return;
  video_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | SS_BLACKFRAME, 10, 10, 320, 240, owner_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(1001)), GetModuleHandleA(nullptr),
                           nullptr);
}

TestWindows::~TestWindows() {
  if (owner_) DestroyWindow(owner_);
}
