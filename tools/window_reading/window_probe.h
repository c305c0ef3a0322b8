#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What another process's window shows, read the way a person's tools would.

RECT ControlClientRect(HWND dialog, int controlId);
std::string WindowTextOf(HWND window);
std::string ControlText(HWND dialog, int controlId);
bool ControlVisible(HWND dialog, int controlId);
bool ControlEnabled(HWND dialog, int controlId);
SIZE ClientSize(HWND window);
// The control id that has the keyboard focus in the window's thread; 0 when
// nothing there has it, -1 when the focus is in another top-level window.
int FocusedControlId(HWND window);

// The text of a message box, and its caption.
std::string MessageBoxText(HWND box);

// Presses a button the way a click would, without waiting for the owner's
// handler to finish.
void PressButton(HWND dialog, int controlId);

// Polls until `done` holds; false after the timeout.
template <typename Predicate>
bool WaitUntil(Predicate done, DWORD timeoutMs) {
  const DWORD started = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - started >= timeoutMs) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(20);
  }
}

// Pixels as 0x00RRGGBB, row by row from the top.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<DWORD> rgb;
  DWORD At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

// What the screen shows of a rectangle of a window's client area.
Pixels CaptureClient(HWND window, const RECT& clientRect);

// An 8-bit bitmap resource of a program file, as colours.
Pixels LoadPictureResource(const std::string& exePath, int bitmapId);

// Rows [top, top + height) of a picture: one look of a button strip.
Pixels PictureRows(const Pixels& picture, int top, int height);

// How many pixels of `shown` differ from `picture` over the picture's
// first width x height pixels.
int CountDifferences(const Pixels& shown, const Pixels& picture, int width, int height);

// Writes the window's client area to a 24-bit BMP file.
bool SaveClientScreenshot(HWND window, const std::string& path);
