#include "ui/check_time.h"

std::string FormatCheckTime(const SYSTEMTIME& time) {
  char text[32];
  ::wsprintfA(text, "%04d/%02d/%02d %02d:%02d", time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute);
  return text;
}
