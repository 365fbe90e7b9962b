#include "system/path_text.h"

namespace headly {

std::vector<std::string_view> splitAtSeparators(std::string_view s, char sep) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t i = 0; i < s.size(); i += charLengthAt(s, i)) {
    if (s[i] == sep) {
      parts.push_back(s.substr(start, i - start));
      start = i + 1;
    }
  }
  parts.push_back(s.substr(start));
  return parts;
}

bool isPlainName(std::string_view name) {
  if (name.empty()) return false;
  for (size_t i = 0; i < name.size(); i += charLengthAt(name, i)) {
    if (charLengthAt(name, i) == 2) continue;
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c < 0x20 || c == '\\' || c == '/' || c == ':' || c == '*' || c == '?') return false;
  }
  return true;
}

}  // namespace headly
