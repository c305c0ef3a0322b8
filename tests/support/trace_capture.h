#pragma once

#include <string>
#include <vector>

#include "handles/non_copyable.h"

// Collects every JudgeTrace message while alive, as the exact CP932 bytes.
class TraceCapture : NonCopyable {
 public:
  TraceCapture();
  ~TraceCapture();

  const std::vector<std::string>& Lines() const;
  void Clear();

 private:
  void (*previousSink_)(const char*);
};

// Joins lines with '\n' so a failing comparison shows the whole log.
std::string JoinLines(const std::vector<std::string>& lines);
