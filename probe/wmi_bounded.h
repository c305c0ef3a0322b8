#pragma once

#include <windows.h>

#include <functional>

// One WMI operation run on a thread of its own (COM initialised
// multithreaded there), so that a WMI that never answers cannot hold the
// calling thread, which is usually the window's.
//
// `body` makes and releases all its COM objects itself, sets `progress`
// each time WMI answers a step (WmiQuery does), and returns false when WMI
// itself reported a time-out. Whatever the body writes must be owned
// jointly with it (a shared_ptr it captures): a body that misses the bound
// is left to finish on its own and may write long after the caller is gone.
//
// True only when the body returned true and no step took longer than
// kWmiStepBoundMs. While a body left behind is still running, every call
// fails at once without starting another; once it ends, WMI is asked again.
bool RunBoundedWmi(std::function<bool(HANDLE progress)> body);
