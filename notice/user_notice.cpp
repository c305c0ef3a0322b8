#include "notice/user_notice.h"

namespace {

UserNotifier g_notifier = nullptr;

}  // namespace

UserNotifier SetUserNotifier(UserNotifier notifier) {
  const UserNotifier previous = g_notifier;
  g_notifier = notifier;
  return previous;
}

void NotifyUser(const UserNotice& notice) {
  if (g_notifier) g_notifier(notice);
}
