#pragma once

#include <windows.h>

// The class a second copy looks for; the main dialog's template names it.
extern const char kMainWindowClass[];

// Registers kMainWindowClass for `instance` with the attributes of the
// system dialog class. A class already registered counts as success.
bool RegisterMainWindowClass(HINSTANCE instance);
