#pragma once

#include <windows.h>

// The two keyboard rules of our dialogs, applied to input before the
// dialog manager sees it.

// Focus cues (the focused button's ring) follow the last input: a key shows
// them, a mouse button hides them. The dialog keeps that record itself,
// because some platforms keep no cue state (it always reads "shown"), and
// hands it on to the platform's cue state (WM_CHANGEUISTATE), which Windows
// would otherwise only clear for Tab, the arrow keys or Alt.
void FollowInputWithFocusCues(HWND dialog, const MSG& message);
// Sets the record outright: a dialog opens with cues hidden, or with the
// cues of the dialog the user opened it from.
void SetFocusCuesShown(HWND dialog, bool shown);
// For a dialog or any control of it: the record, unless the platform hides
// the cues all the same.
bool FocusCuesShown(HWND window);
// The record goes with the dialog's window.
void ForgetFocusCues(HWND dialog);

// The dialog manager sends Enter to the default button whatever has the
// focus, because it treats an owner-drawn button as no push button at all.
// Enter on a focused owner-drawn button presses that button instead, as on
// every ordinary push button. True when the key has been used here.
bool PressFocusedButtonOnEnter(HWND dialog, const MSG& message);
