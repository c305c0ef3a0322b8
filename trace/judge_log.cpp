#include "trace/judge_log.h"

#include <windows.h>

#include <cstdarg>

namespace {

void SendToDebugger(const char* message) { OutputDebugStringA(message); }

JudgeTraceSink g_traceSink = SendToDebugger;

}  // namespace

JudgeTraceSink SetJudgeTraceSink(JudgeTraceSink sink) {
  JudgeTraceSink previous = g_traceSink;
  g_traceSink = sink ? sink : SendToDebugger;
  return previous;
}

void JudgeTrace(const char* format, ...) {
  // wvsprintfA itself stops at 1024 bytes including the terminator.
  char buffer[1024];
  va_list args;
  va_start(args, format);
  int written = wvsprintfA(buffer, format, args);
  va_end(args);
  if (written < 0) written = 0;
  if (written > static_cast<int>(sizeof(buffer)) - 1) written = sizeof(buffer) - 1;
  buffer[written] = '\0';
  g_traceSink(buffer);
}
