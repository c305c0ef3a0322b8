#include "copp/renderer_graph_report.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace {

void ShowBox(const char* text, const char* caption) { MessageBoxA(nullptr, text, caption, MB_OK); }

GraphErrorSink g_sink = &ShowBox;

}  // namespace

GraphErrorSink SetGraphErrorSink(GraphErrorSink sink) {
  const GraphErrorSink previous = g_sink;
  g_sink = sink ? sink : &ShowBox;
  return previous;
}

void ReportGraphError(const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  vsnprintf(text, sizeof text, format, args);
  va_end(args);
  text[sizeof text - 1] = '\0';
  g_sink(text, "Windowless Sample");
}
