#pragma once

#include <string>
#include <vector>

// Collects every JudgeTrace message while alive, as the exact CP932 bytes.
class TraceCapture {
 public:
  TraceCapture();
  ~TraceCapture();
  TraceCapture(const TraceCapture&) = delete;
  TraceCapture& operator=(const TraceCapture&) = delete;

  const std::vector<std::string>& Lines() const;
  void Clear();

 private:
  void (*previousSink_)(const char*);
};

// Joins lines with '\n' so a failing comparison shows the whole log.
std::string JoinLines(const std::vector<std::string>& lines);
