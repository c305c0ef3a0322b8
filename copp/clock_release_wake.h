#pragma once

#include <dshow.h>

#include "handles/owner.h"

// Wine 8's system clock ends its advise thread by setting a flag and waking
// the thread once, but the thread reads that flag only after it has slept.
// When the graph, and with it the clock, is released while that thread is
// between two sleeps (or before its first), the wake-up is lost and the
// thread sleeps with no time limit once no advise is left: the release then
// waits for it for ever (quartz systemclock.c, Wine 8.0).
//
// Under Wine, this keeps one periodic advise of ours on the graph's clock
// until the graph is gone, so every sleep of that thread has a limit of one
// period and it sees the flag. Windows' clock has no such gap: there, and
// for a graph without a clock, it does nothing. Hold it across the graph's
// last release; it closes its semaphore after that.
class ClockReleaseWake {
 public:
  explicit ClockReleaseWake(IGraphBuilder* graph);

 private:
  OwnedHandle semaphore_;
};
