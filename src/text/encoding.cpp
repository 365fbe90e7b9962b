#include "text/encoding.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <stdexcept>

namespace headly {
namespace {

// An iconv conversion that is closed again whatever happens.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much of the input as it can into out; false at a sequence it
  // cannot convert (the input then starts there).
  bool run(std::string_view& in, std::string& out) {
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    bool ok = true;
    while (srcLeft > 0) {
      const size_t used = out.size();
      out.resize(used + srcLeft * 2 + 16);
      char* dst = out.data() + used;
      size_t dstLeft = out.size() - used;
      const size_t result = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      const int error = errno;
      out.resize(size_t(dst - out.data()));
      if (result != size_t(-1)) break;
      if (error != E2BIG) {
        ok = false;
        break;
      }
    }
    in = std::string_view(src, srcLeft);
    return ok;
  }

 private:
  iconv_t cd_;
};

// Converts in; on an invalid or unconvertible sequence either substitutes
// (when substitute is not empty) or gives up.
std::optional<std::string> convert(const char* to, const char* from, std::string_view in,
                                   std::string_view substitute) {
  Converter converter(to, from);
  std::string out;
  out.reserve(in.size() * 2 + 16);
  while (!converter.run(in, out)) {
    if (substitute.empty()) return std::nullopt;
    // Skip one byte of the offending sequence and write the substitute.
    in.remove_prefix(1);
    out.append(substitute);
  }
  return out;
}

// The other Unicode forms of Shift-JIS characters and the form that
// Shift-JIS gives back, both in UTF-8.
struct NameForm {
  std::string_view other, standard;
};
constexpr std::array<NameForm, 7> kNameForms{{
    {"\u301C", "\uFF5E"},  // 〜 ～
    {"\u2212", "\uFF0D"},  // − －
    {"\u2016", "\u2225"},  // ‖ ∥
    {"\u2014", "\u2015"},  // — ―
    {"\u00A2", "\uFFE0"},  // ¢ ￠
    {"\u00A3", "\uFFE1"},  // £ ￡
    {"\u00AC", "\uFFE2"},  // ¬ ￢
}};

// The character at the start of a text that could not be converted, and its
// length in bytes; U+FFFD for a sequence that is not valid.
struct SourceChar {
  char32_t code;
  size_t length;
};

SourceChar utf8CharAt(std::string_view in) {
  const auto c = static_cast<unsigned char>(in[0]);
  const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
  if (length == 1 || in.size() < length) return {0xFFFD, 1};
  char32_t code = c & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(in[i]);
    if ((next & 0xC0) != 0x80) return {0xFFFD, 1};
    code = (code << 6) | (next & 0x3F);
  }
  return {code, length};
}

SourceChar utf16CharAt(std::string_view in, bool bigEndian) {
  auto unit = [&](size_t at) -> char32_t {
    const auto a = static_cast<unsigned char>(in[at]), b = static_cast<unsigned char>(in[at + 1]);
    return bigEndian ? char32_t(a << 8 | b) : char32_t(b << 8 | a);
  };
  if (in.size() < 2) return {0xFFFD, in.size()};
  const char32_t first = unit(0);
  if (first >= 0xD800 && first < 0xDC00 && in.size() >= 4) {
    const char32_t second = unit(2);
    if (second >= 0xDC00 && second < 0xE000) return {0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00), 4};
  }
  if (first >= 0xD800 && first < 0xE000) return {0xFFFD, 2};
  return {first, 2};
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

std::string standardNameForm(std::string_view utf8) {
  std::string out(utf8);
  for (const NameForm& form : kNameForms)
    for (size_t at = out.find(form.other); at != std::string::npos; at = out.find(form.other, at))
      out.replace(at, form.other.size(), form.standard);
  return out;
}

bool hasOtherNameForms(std::string_view standardUtf8) {
  for (const NameForm& form : kNameForms)
    if (standardUtf8.find(form.standard) != std::string_view::npos) return true;
  return false;
}

std::optional<SjisString> fromNativeName(std::string_view utf8) {
  std::optional<SjisString> bytes = fromUtf8(utf8);
  if (!bytes) return std::nullopt;
  std::optional<std::string> back = toUtf8Exact(*bytes);
  if (!back || *back != standardNameForm(utf8)) return std::nullopt;
  return bytes;
}

ConvertedText toShiftJisReplacing(std::string_view text, UnicodeForm form) {
  const char* from = form == UnicodeForm::Utf8 ? "UTF-8" : form == UnicodeForm::Utf16Le ? "UTF-16LE" : "UTF-16BE";
  Converter converter("CP932", from);
  ConvertedText out;
  out.text.reserve(text.size() + 16);
  while (!converter.run(text, out.text)) {
    const SourceChar c = form == UnicodeForm::Utf8 ? utf8CharAt(text) : utf16CharAt(text, form == UnicodeForm::Utf16Be);
    if (out.replaced++ == 0) {
      out.firstReplacedAt = out.text.size();
      out.firstReplaced = c.code;
    }
    out.text.append("\x81\xAC");  // 〓
    text.remove_prefix(c.length);
  }
  return out;
}

SjisString sjis(std::string_view utf8) {
  std::optional<SjisString> bytes = fromUtf8(utf8);
  if (!bytes) throw std::logic_error("program text without a Shift-JIS form");
  return *bytes;
}

}  // namespace headly
