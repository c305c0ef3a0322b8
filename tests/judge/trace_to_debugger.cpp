// Writes two known messages through the default sink, so a test can watch
// them arrive on the debugger channel (Wine: WINEDEBUG=+debugstr).
#include "trace/judge_log.h"

int main() {
  JudgeTrace("judge trace first %08x", 4u);
  JudgeTrace("judge trace second %d%%", 100);
  return 0;
}
