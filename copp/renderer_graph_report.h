#pragma once

// Formats printf-style into 1024 bytes (1023 characters at most) and shows
// the text in a modal "Windowless Sample" box with an OK button and no owner.
void ReportGraphError(const char* format, ...);

// Where finished reports go instead of the box; tests record them.
using GraphErrorSink = void (*)(const char* text, const char* caption);
GraphErrorSink SetGraphErrorSink(GraphErrorSink sink);
