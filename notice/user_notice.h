#pragma once

#include <windows.h>

// What a logic folder (the judgement, the protocol, the probes) must tell
// the user: the words and the window they belong to. Those folders never
// show a window themselves; the program installs who tells the user at
// start-up, and tests install a recorder.
struct UserNotice {
  HWND owner;           // null: the notice stands on its own
  const char* text;     // code page 932
  const char* caption;  // code page 932; null: the program's own title, which the notifier knows
  UINT style;           // MB_ icon and buttons; the caller waits until it is answered
};

using UserNotifier = void (*)(const UserNotice& notice);

// Returns the notifier it replaces. With none installed, notices go nowhere.
UserNotifier SetUserNotifier(UserNotifier notifier);
void NotifyUser(const UserNotice& notice);
