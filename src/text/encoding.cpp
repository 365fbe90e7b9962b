#include "text/encoding.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <stdexcept>

#include "text/runtime_error.h"

namespace headly {
namespace {

// The Shift-JIS side of every conversion, and the other side.
enum class Direction { ToUtf8, FromUtf8, FromUtf16Le, FromUtf16Be };
constexpr size_t kDirections = 4;

std::string shiftJisName = "CP932";

// The converters are opened once and kept, so that no conversion can fail
// for want of a module, a file descriptor or memory once the program runs.
class Converters {
 public:
  ~Converters() { close(); }
  Converters() { cds_.fill(kNone); }
  Converters(const Converters&) = delete;
  Converters& operator=(const Converters&) = delete;

  // The converter of a direction, back in its initial state.
  iconv_t get(Direction d) {
    iconv_t& cd = cds_[size_t(d)];
    if (cd == kNone) {
      static constexpr std::array<const char*, kDirections> kOther{"UTF-8", "UTF-8", "UTF-16LE", "UTF-16BE"};
      const char* other = kOther[size_t(d)];
      cd = d == Direction::ToUtf8 ? iconv_open(other, shiftJisName.c_str()) : iconv_open(shiftJisName.c_str(), other);
      if (cd == kNone) raise(err::kConverterMissing);
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    return cd;
  }
  void close() {
    for (iconv_t& cd : cds_) {
      if (cd != kNone) iconv_close(cd);
      cd = kNone;
    }
  }

 private:
  static inline const iconv_t kNone = reinterpret_cast<iconv_t>(-1);
  std::array<iconv_t, kDirections> cds_;
};

Converters& converters() {
  thread_local Converters c;
  return c;
}

std::optional<ShiftJisCodes>& codesInUse() {
  thread_local std::optional<ShiftJisCodes> codes;
  return codes;
}

// Converts as much of in as it can into out; false at a sequence it cannot
// convert (in then starts there).
bool run(iconv_t cd, std::string_view& in, std::string& out) {
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  bool ok = true;
  while (srcLeft > 0) {
    const size_t used = out.size();
    out.resize(used + srcLeft * 2 + 16);
    char* dst = out.data() + used;
    size_t dstLeft = out.size() - used;
    const size_t result = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
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

// Converts in; on an invalid or unconvertible sequence either substitutes
// (when substitute is not empty) or gives up.
std::optional<std::string> convert(Direction direction, std::string_view in, std::string_view substitute) {
  iconv_t cd = converters().get(direction);
  std::string out;
  out.reserve(in.size() * 2 + 16);
  while (!run(cd, in, out)) {
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
// length in bytes; not valid for a sequence that is no character.
struct SourceChar {
  char32_t code;
  size_t length;
  bool valid;
};

SourceChar utf8CharAt(std::string_view in) {
  const auto c = static_cast<unsigned char>(in[0]);
  constexpr SourceChar kInvalid{0xFFFD, 1, false};
  const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
  if (length == 1 || c > 0xF4 || in.size() < length) return kInvalid;
  char32_t code = c & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(in[i]);
    if ((next & 0xC0) != 0x80) return kInvalid;
    code = (code << 6) | (next & 0x3F);
  }
  // Overlong forms, surrogates and code points past U+10FFFF are no characters.
  constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) return kInvalid;
  return {code, length, true};
}

char32_t utf16Unit(std::string_view in, size_t at, bool bigEndian) {
  const auto a = static_cast<unsigned char>(in[at]), b = static_cast<unsigned char>(in[at + 1]);
  return bigEndian ? char32_t(a << 8 | b) : char32_t(b << 8 | a);
}

SourceChar utf16CharAt(std::string_view in, bool bigEndian) {
  if (in.size() < 2) return {0xFFFD, in.size(), false};
  const char32_t first = utf16Unit(in, 0, bigEndian);
  if (first >= 0xD800 && first < 0xDC00 && in.size() >= 4) {
    const char32_t second = utf16Unit(in, 2, bigEndian);
    if (second >= 0xDC00 && second < 0xE000) return {0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00), 4, true};
  }
  if (first >= 0xD800 && first < 0xE000) return {0xFFFD, 2, false};
  return {first, 2, true};
}

// The characters of a text that Shift-JIS reads in its own form. Each is
// a whole sequence of two or three bytes in UTF-8 (which no bad byte before
// it can swallow) or one unit in UTF-16.
uint64_t countOwnForms(std::string_view text, UnicodeForm form) {
  uint64_t count = 0;
  if (form != UnicodeForm::Utf8) {
    for (size_t at = 0; at + 1 < text.size(); at += 2)
      count += readInOwnForm(utf16Unit(text, at, form == UnicodeForm::Utf16Be));
    return count;
  }
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  for (size_t at = 0; at < text.size(); ++at)
    if (p[at] == 0xC2 || p[at] == 0xE2 || p[at] == 0xE3) {
      const SourceChar c = utf8CharAt(text.substr(at));
      count += c.valid && readInOwnForm(c.code);
    }
  return count;
}

}  // namespace

bool isUtf8(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    if (static_cast<unsigned char>(text[at]) < 0x80) {
      ++at;
      continue;
    }
    const SourceChar c = utf8CharAt(text.substr(at));
    if (!c.valid) return false;
    at += c.length;
  }
  return true;
}

void openConverters() {
  for (size_t d = 0; d < kDirections; ++d) converters().get(Direction(d));
}

void useShiftJisConverter(const std::string& name) {
  shiftJisName = name;
  converters().close();
  codesInUse().reset();
}

ShiftJisCodes& shiftJisCodes() {
  std::optional<ShiftJisCodes>& codes = codesInUse();
  if (!codes) codes.emplace();
  return *codes;
}

uint16_t ShiftJisCodes::learn(char32_t code) {
  char utf8[3];
  const size_t length = code < 0x800 ? 2 : 3;
  if (length == 2) {
    utf8[0] = char(0xC0 | code >> 6);
  } else {
    utf8[0] = char(0xE0 | code >> 12);
    utf8[1] = char(0x80 | (code >> 6 & 0x3F));
  }
  utf8[length - 1] = char(0x80 | (code & 0x3F));
  const std::optional<SjisString> bytes = convert(Direction::FromUtf8, std::string_view(utf8, length), "");
  uint16_t learnt = 0;
  if (bytes && bytes->size() == 1) learnt = uint16_t(uint8_t((*bytes)[0]));
  if (bytes && bytes->size() == 2) learnt = uint16_t(uint8_t((*bytes)[0]) << 8 | uint8_t((*bytes)[1]));
  return codes_[code] = learnt;
}

bool ShiftJisCodes::asciiStays() {
  if (!asciiStays_) {
    std::string ascii(0x80, '\0');
    for (size_t c = 0; c < ascii.size(); ++c) ascii[c] = char(c);
    asciiStays_ = convert(Direction::FromUtf8, ascii, "") == ascii;
  }
  return *asciiStays_;
}

std::string toUtf8(std::string_view sjis) { return *convert(Direction::ToUtf8, sjis, "\xEF\xBF\xBD"); }

std::optional<std::string> toUtf8Exact(std::string_view sjis) { return convert(Direction::ToUtf8, sjis, ""); }

std::optional<SjisString> fromUtf8(std::string_view utf8) { return convert(Direction::FromUtf8, utf8, ""); }

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

void ReplacedCharacters::add(const ReplacedCharacters& later, uint64_t textAt, uint64_t sourceAt) {
  if (count == 0 && later.count > 0) {
    firstAt = textAt + later.firstAt;
    firstCode = later.firstCode;
  }
  if (invalid == 0 && later.invalid > 0) {
    firstInvalidAt = textAt + later.firstInvalidAt;
    firstInvalidInSource = sourceAt + later.firstInvalidInSource;
  }
  count += later.count;
  invalid += later.invalid;
  ownForms += later.ownForms;
}

ConvertedText toShiftJisReplacing(std::string_view text, UnicodeForm form) {
  iconv_t cd = converters().get(form == UnicodeForm::Utf8      ? Direction::FromUtf8
                                 : form == UnicodeForm::Utf16Le ? Direction::FromUtf16Le
                                                                : Direction::FromUtf16Be);
  ConvertedText out;
  ReplacedCharacters& replaced = out.replaced;
  replaced.ownForms = countOwnForms(text, form);
  out.text.reserve(text.size() + 16);
  const size_t sourceSize = text.size();
  while (!run(cd, text, out.text)) {
    const SourceChar c = form == UnicodeForm::Utf8 ? utf8CharAt(text) : utf16CharAt(text, form == UnicodeForm::Utf16Be);
    if (c.valid && replaced.count++ == 0) {
      replaced.firstAt = out.text.size();
      replaced.firstCode = c.code;
    }
    if (!c.valid && replaced.invalid++ == 0) {
      replaced.firstInvalidAt = out.text.size();
      replaced.firstInvalidInSource = sourceSize - text.size();
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
