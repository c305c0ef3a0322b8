#include "handles/message_box.h"

#include "text/wide_text.h"

namespace {

int WINAPI ShowThroughWideApi(HWND owner, const char* text, const char* caption, UINT style) {
  return ::MessageBoxW(owner, WideFromCp932(text).c_str(), WideFromCp932(caption).c_str(), style);
}

MessageBoxFunction g_messageBox = ShowThroughWideApi;

}  // namespace

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT style) {
  return g_messageBox(owner, text, caption, style);
}

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction box) {
  const MessageBoxFunction previous = g_messageBox;
  g_messageBox = box ? box : ShowThroughWideApi;
  return previous;
}
