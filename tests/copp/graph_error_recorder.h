#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "notice/user_notice.h"

// Collects what the run would tell the user, the graph's "Windowless
// Sample" boxes among it, instead of showing it.
class GraphErrorRecorder {
 public:
  GraphErrorRecorder() : previous_(SetUserNotifier(&Record)) { Boxes().clear(); }
  ~GraphErrorRecorder() { SetUserNotifier(previous_); }
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
  static void Record(const UserNotice& notice) {
    Boxes().push_back({notice.text, notice.caption, notice.owner, notice.style});
  }
  UserNotifier previous_;
};
