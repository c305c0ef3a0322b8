#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "handles/message_box.h"

// Collects the message boxes, the graph's "Windowless Sample" ones among
// them, instead of showing them.
class GraphErrorRecorder {
 public:
  GraphErrorRecorder() : previous_(SetMessageBoxFunction(&Record)) { Boxes().clear(); }
  ~GraphErrorRecorder() { SetMessageBoxFunction(previous_); }
  GraphErrorRecorder(const GraphErrorRecorder&) = delete;
  GraphErrorRecorder& operator=(const GraphErrorRecorder&) = delete;

  struct Box {
    std::string text;
    std::string caption;
    HWND owner;
    UINT style;
  };
  static std::vector<Box>& Boxes() {
    static std::vector<Box> boxes;
    return boxes;
  }

 private:
  static int WINAPI Record(HWND owner, const char* text, const char* caption, UINT style) {
    Boxes().push_back({text, caption, owner, style});
    return IDOK;
  }
  MessageBoxFunction previous_;
};
