#include "tests/e2e/x_input.h"

#include <cstdio>
#include <string>

namespace {

// Wine starts a Unix program when CreateProcess is given one, but cannot
// wait for it or read its exit code: the shell leaves the code in a file.
bool RunXdotool(const std::string& arguments) {
  static int serial = 0;
  char marker[96];
  snprintf(marker, sizeof(marker), "/tmp/solario-xdotool-%lu-%d", GetCurrentProcessId(), ++serial);
  const std::string markerWindows = std::string("Z:") + marker;
  DeleteFileA(markerWindows.c_str());

  std::string command = "sh -c \"xdotool " + arguments + "; echo $? > " + marker + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA("Z:\\bin\\sh", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  // For a Unix program Wine hands back no handles: hProcess is 0 and hThread
  // whatever was on its stack. Closing that value closed a random handle of
  // this process, once the cached HKEY_CLASSES_ROOT, after which the source
  // filter could not be registered again and later tests met its box.

  for (int waited = 0; waited < 10000; waited += 10) {
    FILE* file = fopen(markerWindows.c_str(), "r");
    if (file) {
      int code = -1;
      const bool read = fscanf(file, "%d", &code) == 1;
      fclose(file);
      if (read) {
        DeleteFileA(markerWindows.c_str());
        return code == 0;
      }
    }
    Sleep(10);
  }
  return false;
}

std::string Point(POINT p) { return std::to_string(p.x) + " " + std::to_string(p.y); }

}  // namespace

bool XMovePointer(POINT screenPoint) { return RunXdotool("mousemove " + Point(screenPoint)); }

bool XClickAt(POINT screenPoint) {
  // Wine sees the pointer arrive before the button, as with a hand.
  return RunXdotool("mousemove " + Point(screenPoint) + " sleep 0.05 click 1");
}

bool XDragBy(POINT from, int dx, int dy) {
  std::string steps = "mousemove " + Point(from) + " sleep 0.1 mousedown 1 sleep 0.2";
  for (int step = 1; step <= 8; ++step) {
    const POINT at = {from.x + dx * step / 8, from.y + dy * step / 8};
    steps += " mousemove " + Point(at) + " sleep 0.05";
  }
  return RunXdotool(steps + " mouseup 1");
}

bool XTypeText(const std::string& text) {
  // Single quotes keep the shell off backslashes and colons in paths.
  return RunXdotool("type --delay 20 '" + text + "'");
}

bool XPressKey(const char* keys) { return RunXdotool(std::string("key ") + keys); }

bool XClickControl(HWND dialog, int controlId) {
  const HWND control = GetDlgItem(dialog, controlId);
  RECT rect = {};
  if (!control || !GetWindowRect(control, &rect)) return false;
  return XClickAt(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}
