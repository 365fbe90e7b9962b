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

SjisString leftBytes(std::string_view s, int32_t n) {
  if (n < 0) raise(err::kBadArgument);
  return SjisString(s.substr(0, std::min<size_t>(size_t(n), s.size())));
}

SjisString rightBytes(std::string_view s, int32_t n) {
  if (n < 0) raise(err::kBadArgument);
  const size_t k = std::min<size_t>(size_t(n), s.size());
  return SjisString(s.substr(s.size() - k));
}

int32_t findBytes(int32_t start, std::string_view haystack, std::string_view needle) {
  if (start < 1) raise(err::kBadArgument);
  if (haystack.empty() || start > byteLength(haystack) || needle.size() > haystack.size()) return 0;
  if (needle.empty()) return start;
  const size_t at = haystack.find(needle, size_t(start - 1));
  return at == std::string_view::npos ? 0 : int32_t(at + 1);
}

SjisString concat(std::string_view left, std::string_view right) {
  if (int64_t(left.size()) + int64_t(right.size()) > kRestOfString) raise(err::kStringTooLong);
  SjisString out;
  out.reserve(left.size() + right.size());
  out.append(left);
  out.append(right);
  return out;
}

int compareBytes(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  const int c = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);
  if (c != 0) return c;
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

SjisString byteChar(std::initializer_list<int> codes) {
  SjisString out;
  for (int code : codes) {
    if (code < 0 || code > 255) raise(err::kBadArgument);
    out.push_back(static_cast<char>(code));
  }
  return out;
}

SjisString blanks(int32_t n) {
  if (n < 0) raise(err::kBadArgument);
  return SjisString(size_t(n), ' ');
}

SjisString repeatByte(int32_t n, std::string_view s) {
  if (s.empty() || n < 0) raise(err::kBadArgument);
  return SjisString(size_t(n), s.front());
}

void overwriteBytes(SjisString& v, int32_t start, int32_t count, std::string_view source) {
  if (count == 0) return;
  if (start < 1 || count < 0) raise(err::kBadArgument);
  if (start > byteLength(v)) raise(err::kBadArgument);
  const int64_t k = std::min<int64_t>({count, int64_t(source.size()), int64_t(v.size()) - start + 1});
  std::memcpy(v.data() + start - 1, source.data(), size_t(k));
}

}  // namespace headly
