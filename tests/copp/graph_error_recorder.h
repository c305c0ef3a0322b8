#pragma once

#include <string>
#include <vector>

#include "copp/renderer_graph_report.h"

// Collects the "Windowless Sample" boxes instead of showing them.
class GraphErrorRecorder {
 public:
  GraphErrorRecorder() : previous_(SetGraphErrorSink(&Record)) { Boxes().clear(); }
  ~GraphErrorRecorder() { SetGraphErrorSink(previous_); }
  GraphErrorRecorder(const GraphErrorRecorder&) = delete;
  GraphErrorRecorder& operator=(const GraphErrorRecorder&) = delete;

  struct Box {
    std::string text;
    std::string caption;
  };
  static std::vector<Box>& Boxes() {
    static std::vector<Box> boxes;
    return boxes;
  }

 private:
  static void Record(const char* text, const char* caption) { Boxes().push_back({text, caption}); }
  GraphErrorSink previous_;
};
