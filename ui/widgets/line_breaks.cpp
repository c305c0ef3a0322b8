#include "ui/widgets/line_breaks.h"

#include "text/cp932_text.h"

namespace {

const size_t kNone = static_cast<size_t>(-1);

// A lead byte without its trail byte (a cut text) counts as one character.
size_t CharacterLength(const std::string& text, size_t at) {
  return IsCp932LeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

size_t SkipBlanks(const std::string& text, size_t at) {
  while (at < text.size() && text[at] == ' ') ++at;
  return at;
}

LineSpan Trimmed(const std::string& text, size_t begin, size_t end) {
  while (end > begin && text[end - 1] == ' ') --end;
  return LineSpan{begin, end - begin};
}

}  // namespace

std::vector<LineSpan> BreakCp932Lines(const std::string& text, int width, const TextWidth& measure) {
  std::vector<LineSpan> lines;
  size_t start = 0;
  while (start < text.size()) {
    // The last place this line may end, and where the next one then begins.
    size_t breakEnd = kNone;
    size_t breakNext = kNone;
    size_t at = start;
    size_t next = kNone;
    bool lineHasText = false;
    while (at < text.size()) {
      const char byte = text[at];
      if (byte == '\r' || byte == '\n') break;
      const size_t length = CharacterLength(text, at);
      const bool wide = length == 2;
      if (wide && at > start) {
        breakEnd = at;
        breakNext = at;
      }
      if (measure(text.data() + start, at + length - start) > width) {
        if (byte == ' ' && at > start) {
          lines.push_back(Trimmed(text, start, at));
          next = SkipBlanks(text, at);
        } else if (breakEnd != kNone) {
          lines.push_back(Trimmed(text, start, breakEnd));
          next = SkipBlanks(text, breakNext);
        } else if (at > start) {
          lines.push_back(Trimmed(text, start, at));
          next = at;
        } else {
          lines.push_back(LineSpan{start, length});
          next = SkipBlanks(text, at + length);
        }
        break;
      }
      at += length;
      if (wide || (byte == ' ' && lineHasText)) {
        breakEnd = at;
        breakNext = at;
      }
      if (byte != ' ') lineHasText = true;
    }
    if (next != kNone) {
      start = next;
      continue;
    }
    lines.push_back(Trimmed(text, start, at));
    if (at < text.size() && text[at] == '\r') ++at;
    if (at < text.size() && text[at] == '\n') ++at;
    start = at;
  }
  return lines;
}
