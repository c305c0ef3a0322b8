#pragma once

#include <windows.h>

// Every message box of the program goes through here, so tests can stand in
// for the user: same arguments and answer as MessageBoxA, with the texts in
// code page 932 whatever the system's code page is.
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT style);

// Tests put their own box here; null puts the platform's box back. Returns the one
// it replaces.
using MessageBoxFunction = int(WINAPI*)(HWND owner, const char* text, const char* caption, UINT style);
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction box);
