#include "app/main_window_class.h"

const char kMainWindowClass[] = "wznCheckerClass";

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSA dialogClass = {};
  if (::GetClassInfoA(instance, kMainWindowClass, &dialogClass)) return true;
  // The system dialog class is global; a platform that will not find it
  // under the program's instance finds it under none.
  if (!::GetClassInfoA(instance, "#32770", &dialogClass) && !::GetClassInfoA(nullptr, "#32770", &dialogClass)) {
    return false;
  }
  dialogClass.hInstance = instance;
  dialogClass.lpszClassName = kMainWindowClass;
  return ::RegisterClassA(&dialogClass) != 0;
}
