#pragma once

#include <windows.h>

#include <string>

// Real pointer and key events on the X display the prefix draws on, made by
// xdotool: Wine sees them exactly as it sees a person's mouse and keyboard.
// Each call returns once xdotool has finished, false when it failed.

bool XMovePointer(POINT screenPoint);
bool XClickAt(POINT screenPoint);
// Presses the left button at `from`, moves by (dx, dy) in steps, releases.
bool XDragBy(POINT from, int dx, int dy);
// Types plain ASCII text into whatever has the keyboard focus.
bool XTypeText(const std::string& text);
// One key or chord in xdotool's names ("Return", "ctrl+a").
bool XPressKey(const char* keys);

// Clicks the middle of a dialog's control with the real pointer.
bool XClickControl(HWND dialog, int controlId);
