#include "text/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace headly {
namespace {

// Converts in; on an invalid or unconvertible sequence either substitutes
// (when substitute is not empty) or gives up.
std::optional<std::string> convert(const char* to, const char* from, std::string_view in,
                                   std::string_view substitute) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  std::string out;
  out.resize(in.size() * 2 + 16);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  bool ok = true;
  while (srcLeft > 0) {
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != size_t(-1)) break;
    if (errno == E2BIG) {
      const size_t used = size_t(dst - out.data());
      out.resize(out.size() * 2);
      dst = out.data() + used;
      dstLeft = out.size() - used;
      continue;
    }
    if (substitute.empty()) {
      ok = false;
      break;
    }
    // Skip one byte of the offending sequence and write the substitute.
    ++src;
    --srcLeft;
    const size_t used = size_t(dst - out.data());
    if (dstLeft < substitute.size()) {
      out.resize(out.size() * 2 + substitute.size());
      dst = out.data() + used;
      dstLeft = out.size() - used;
    }
    out.replace(used, substitute.size(), substitute);
    dst += substitute.size();
    dstLeft -= substitute.size();
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  out.resize(size_t(dst - out.data()));
  return out;
}

}  // namespace

std::string toUtf8(std::string_view sjis) { return *convert("UTF-8", "CP932", sjis, "\xEF\xBF\xBD"); }

std::optional<std::string> toUtf8Exact(std::string_view sjis) { return convert("UTF-8", "CP932", sjis, ""); }

std::optional<SjisString> fromUtf8(std::string_view utf8) { return convert("CP932", "UTF-8", utf8, ""); }

std::optional<SjisString> fromUtf8RoundTrip(std::string_view utf8) {
  std::optional<SjisString> bytes = fromUtf8(utf8);
  if (!bytes) return std::nullopt;
  std::optional<std::string> back = toUtf8Exact(*bytes);
  if (!back || *back != utf8) return std::nullopt;
  return bytes;
}

SjisString sjis(std::string_view utf8) {
  std::optional<SjisString> bytes = fromUtf8(utf8);
  if (!bytes) throw std::logic_error("program text without a Shift-JIS form");
  return *bytes;
}

}  // namespace headly
