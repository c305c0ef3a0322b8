#include "tests/support/trace_capture.h"

#include "trace/judge_log.h"

namespace {

std::vector<std::string> g_captured;

void Capture(const char* message) { g_captured.emplace_back(message); }

}  // namespace

TraceCapture::TraceCapture() : previousSink_(SetJudgeTraceSink(Capture)) { g_captured.clear(); }

TraceCapture::~TraceCapture() { SetJudgeTraceSink(previousSink_); }

const std::vector<std::string>& TraceCapture::Lines() const { return g_captured; }

void TraceCapture::Clear() { g_captured.clear(); }

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string joined;
  for (const std::string& line : lines) {
    joined += line;
    joined += '\n';
  }
  return joined;
}
