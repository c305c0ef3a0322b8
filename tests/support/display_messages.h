#pragma once

#include <string>

// The result page's message for a display fit for high definition, as the
// user sees it: the blanks and the ideographic spaces carry it onto the
// second line of its static.
inline std::string HighDefinitionMessage() {
  std::string message(44, ' ');
  for (int i = 0; i < 16; ++i) message += "\x81\x40";  // U+3000 in code page 932
  return message + "ハイビジョンで表示可能です";
}
