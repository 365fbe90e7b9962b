#include "text/sjis_string.h"

#include <algorithm>
#include <cstring>

#include "text/runtime_error.h"

namespace headly {

SjisString midBytes(std::string_view s, int32_t start, int32_t count) {
  if (start < 1 || count < 0) raise(err::kBadArgument);
  if (start > byteLength(s)) return {};
  const int64_t available = int64_t(byteLength(s)) - start + 1;
  return SjisString(s.substr(start - 1, size_t(std::min<int64_t>(count, available))));
}

int compareBytes(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  const int c = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);
  if (c != 0) return c;
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

SjisString blanks(int32_t n) {
  if (n < 0) raise(err::kBadArgument);
  return SjisString(size_t(n), ' ');
}

SjisString repeatByte(int32_t n, std::string_view s) {
  if (s.empty() || n < 0) raise(err::kBadArgument);
  return SjisString(size_t(n), s.front());
}

}  // namespace headly
