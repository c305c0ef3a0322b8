// The baseline of the cold-start figure: the least dialog program we can
// write, a 940 x 450 popup from a template of its own, under the same Wine.
#include <windows.h>

namespace {

INT_PTR CALLBACK MinimalProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowTextA(window, "minimal dialog");
      SetWindowPos(window, nullptr, 0, 0, 940, 450, SWP_NOMOVE | SWP_NOZORDER);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) EndDialog(window, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, MinimalProc, 0));
}
