#include "handles/message_box.h"

namespace {

MessageBoxFunction g_messageBox = ::MessageBoxA;

}  // namespace

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT style) {
  return g_messageBox(owner, text, caption, style);
}

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction box) {
  const MessageBoxFunction previous = g_messageBox;
  g_messageBox = box ? box : ::MessageBoxA;
  return previous;
}
