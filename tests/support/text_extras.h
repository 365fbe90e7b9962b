// Byte-string, number and conversion operations that only the tests use,
// beside those of the program, with the same errors.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "text/encoding.h"
#include "text/runtime_error.h"
#include "text/sjis_string.h"

namespace headly::test {

inline SjisString leftBytes(std::string_view s, int32_t n) {
  if (n < 0) raise(err::kBadArgument);
  return SjisString(s.substr(0, std::min<size_t>(size_t(n), s.size())));
}

inline SjisString rightBytes(std::string_view s, int32_t n) {
  if (n < 0) raise(err::kBadArgument);
  const size_t k = std::min<size_t>(size_t(n), s.size());
  return SjisString(s.substr(s.size() - k));
}

// 1-based position of needle in haystack at or after start, or 0.
inline int32_t findBytes(int32_t start, std::string_view haystack, std::string_view needle) {
  if (start < 1) raise(err::kBadArgument);
  if (haystack.empty() || start > byteLength(haystack) || needle.size() > haystack.size()) return 0;
  if (needle.empty()) return start;
  const size_t at = haystack.find(needle, size_t(start - 1));
  return at == std::string_view::npos ? 0 : int32_t(at + 1);
}

inline SjisString concat(std::string_view left, std::string_view right) {
  if (int64_t(left.size()) + int64_t(right.size()) > kRestOfString) raise(err::kStringTooLong);
  SjisString out;
  out.reserve(left.size() + right.size());
  out.append(left);
  out.append(right);
  return out;
}

inline SjisString byteChar(std::initializer_list<int> codes) {
  SjisString out;
  for (int code : codes) {
    if (code < 0 || code > 255) raise(err::kBadArgument);
    out.push_back(static_cast<char>(code));
  }
  return out;
}

inline void overwriteBytes(SjisString& v, int32_t start, int32_t count, std::string_view source) {
  if (count == 0) return;
  if (start < 1 || count < 0) raise(err::kBadArgument);
  if (start > byteLength(v)) raise(err::kBadArgument);
  const int64_t k = std::min<int64_t>({count, int64_t(source.size()), int64_t(v.size()) - start + 1});
  std::memcpy(v.data() + start - 1, source.data(), size_t(k));
}

inline int16_t roundToInt16(double x) {
  const double r = std::round(x);
  if (!(r >= -32768.0 && r <= 32767.0)) raise(err::kOverflow);
  return int16_t(r);
}

// The Shift-JIS form of utf8 when it converts back to the same UTF-8.
inline std::optional<SjisString> fromUtf8RoundTrip(std::string_view utf8) {
  std::optional<SjisString> bytes = fromUtf8(utf8);
  if (!bytes) return std::nullopt;
  std::optional<std::string> back = toUtf8Exact(*bytes);
  if (!back || *back != utf8) return std::nullopt;
  return bytes;
}

// UTF-16 of UTF-8 text; cut when it is not valid UTF-8.
inline std::string toUtf16(std::string_view utf8, bool bigEndian) {
  std::string out;
  auto unit = [&](char32_t u) {
    const char high = char(u >> 8), low = char(u & 0xFF);
    out += bigEndian ? std::string{high, low} : std::string{low, high};
  };
  for (size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? c : c & (0x3F >> (length - 1));
    for (size_t k = 1; k < length; ++k) code = code << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    if (code >= 0x10000) {
      unit(0xD800 + ((code - 0x10000) >> 10));
      unit(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      unit(code);
    }
    i += length;
  }
  return out;
}

}  // namespace headly::test
