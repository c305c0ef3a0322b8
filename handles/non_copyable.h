#pragma once

// The base of an object that stands for one thing (a window's focus, a
// stream, a capture) and so must never be copied.
class NonCopyable {
 public:
  NonCopyable(const NonCopyable&) = delete;
  NonCopyable& operator=(const NonCopyable&) = delete;

 protected:
  NonCopyable() = default;
  ~NonCopyable() = default;
};
