#include "ui/file_filter.h"

#include <cctype>

#include "text/encoding.h"
#include "text/runtime_error.h"
#include "ui/typing.h"

namespace headly {
namespace {

// The platform's converted filter (1024 bytes) always holds a text of this
// length: text and patterns together take at most twice its bytes.
constexpr int32_t kMaxFilterText = 511;

bool sameChar(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a.size() == 1)
    return std::tolower(static_cast<unsigned char>(a[0])) == std::tolower(static_cast<unsigned char>(b[0]));
  return a == b;
}

bool matchFrom(std::string_view name, size_t n, std::string_view pattern, size_t p) {
  while (p < pattern.size()) {
    if (pattern[p] == '*') {
      for (size_t rest = n;; rest += sjisCharLength(name, rest)) {
        if (matchFrom(name, rest, pattern, p + 1)) return true;
        if (rest >= name.size()) return false;
      }
    }
    if (n >= name.size()) return false;
    const size_t nl = sjisCharLength(name, n);
    const size_t pl = sjisCharLength(pattern, p);
    if (!(pattern[p] == '?' || sameChar(name.substr(n, nl), pattern.substr(p, pl)))) return false;
    n += nl;
    p += pl;
  }
  return n == name.size();
}

FileFilter parseEntry(std::string_view entry) {
  // '(' ')' ',' ';' are below 0x40 and never a trail byte, so a byte search is safe.
  const size_t open = entry.find('(');
  const size_t close = open == std::string_view::npos ? open : entry.find(')', open + 1);
  if (close == std::string_view::npos) raise(err::kBadArgument);
  FileFilter filter{SjisString(entry), {}};
  SjisString pattern;
  for (char c : entry.substr(open + 1, close - open - 1)) {
    if (c == ' ' || c == '\t') continue;
    if (c == ',') {
      filter.patterns.push_back(pattern);
      pattern.clear();
    } else {
      pattern += c;
    }
  }
  filter.patterns.push_back(pattern);
  return filter;
}

}  // namespace

std::vector<FileFilter> parseFileFilter(const SjisString& filterText) {
  if (byteLength(filterText) > kMaxFilterText) raise(err::kBadArgument);
  const SjisString text = filterText.empty() ? sjis("すべてのﾌｧｲﾙ(*.*)") : filterText;
  std::vector<FileFilter> filters;
  for (size_t begin = 0;;) {
    const size_t end = text.find(';', begin);
    filters.push_back(parseEntry(std::string_view(text).substr(begin, end - begin)));
    if (end == SjisString::npos) break;
    begin = end + 1;
  }
  return filters;
}

bool matchesPattern(std::string_view name, std::string_view pattern) {
  if (pattern == "*.*") return true;
  return matchFrom(name, 0, pattern, 0);
}

bool matchesFilter(std::string_view name, const FileFilter& filter) {
  for (const SjisString& pattern : filter.patterns)
    if (matchesPattern(name, pattern)) return true;
  return false;
}

SjisString addedExtension(std::string_view name, const FileFilter& filter) {
  // '.' is below 0x40, never a trail byte; a leading point starts a hidden name.
  const bool hasExtension = name.size() > 1 && name.find('.', 1) != std::string_view::npos;
  if (hasExtension || filter.patterns.size() != 1 || filter.patterns.front() != "*.PDF") return {};
  return ".PDF";
}

}  // namespace headly
