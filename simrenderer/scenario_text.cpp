#include "simrenderer/scenario_text.h"

#include <cerrno>
#include <cstdlib>

namespace {

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool ParseNumber(const std::string& text, uint32_t* value) {
  if (text.empty() || text[0] == '-' || text[0] == '+') return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long long parsed = strtoull(text.c_str(), &end, 0);
  if (errno != 0 || *end != '\0' || parsed > 0xFFFFFFFFull) return false;
  *value = static_cast<uint32_t>(parsed);
  return true;
}

}  // namespace

bool ParseScenarioText(const std::string& text, std::vector<ScenarioEntry>* entries, std::string* error) {
  entries->clear();
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    const std::string item = Trim(text.substr(start, end - start));
    start = end + 1;
    if (item.empty()) continue;
    const size_t equals = item.find('=');
    ScenarioEntry entry{Trim(item.substr(0, equals)), 0};
    if (equals == std::string::npos || entry.key.empty() ||
        !ParseNumber(Trim(item.substr(equals + 1)), &entry.value)) {
      *error = item;
      return false;
    }
    entries->push_back(entry);
  }
  return true;
}
