#include "text/path_text.h"

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

bool samePathIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  auto fold = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
  for (size_t i = 0; i < a.size();) {
    const size_t n = charLengthAt(a, i);
    if (n == 2) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
    } else if (fold(a[i]) != fold(b[i])) {
      return false;
    }
    i += n;
  }
  return true;
}

}  // namespace headly
