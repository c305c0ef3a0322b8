#pragma once

#include <windows.h>

// The two keyboard rules of our dialogs, applied to input before the
// dialog manager sees it.

// Focus cues (the focused button's ring) follow the last input: a key shows
// them, a mouse button hides them. The record is the platform's own cue
// state (WM_CHANGEUISTATE), so the platform's buttons, the ODS_NOFOCUSRECT
// flag and our picture buttons all agree.
void FollowInputWithFocusCues(HWND dialog, const MSG& message);
// Sets the dialog's cue state outright: a dialog opens with cues hidden, or
// with the cue state of the dialog the user opened it from.
void SetFocusCuesShown(HWND dialog, bool shown);
bool FocusCuesShown(HWND window);

// The dialog manager sends Enter to the default button whatever has the
// focus, because it treats an owner-drawn button as no push button at all.
// Enter on a focused owner-drawn button presses that button instead, as on
// every ordinary push button. True when the key has been used here.
bool PressFocusedButtonOnEnter(HWND dialog, const MSG& message);
