#include "text/piece_conversion.h"

#include <cstring>

#include "text/byte_search.h"

namespace headly {

namespace {

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Where a piece of UTF-8 may end: before the last byte that starts a
// character, which is never inside one however the bytes before it went.
size_t utf8Cut(std::string_view in) {
  for (size_t i = in.size(); i-- > 0;)
    if (!isContinuation(static_cast<unsigned char>(in[i]))) return i;
  return 0;
}

unsigned unitAt(const unsigned char* p, bool bigEndian) { return bigEndian ? p[0] << 8 | p[1] : p[1] << 8 | p[0]; }
bool isHighSurrogate(unsigned unit) { return unit >= 0xD800 && unit < 0xDC00; }

// Where a piece of UTF-16 may end: after the last whole unit that does not
// start a surrogate pair.
size_t utf16Cut(std::string_view in, bool bigEndian) {
  const auto* p = reinterpret_cast<const unsigned char*>(in.data());
  for (size_t i = in.size() / 2; i-- > 0;)
    if (!isHighSurrogate(unitAt(p + 2 * i, bigEndian))) return 2 * i + 2;
  return 0;
}

char* put(char* at, uint16_t code) {
  if (code >= 0x100) *at++ = char(code >> 8);
  *at++ = char(code);
  return at;
}

}  // namespace

// A converted character never takes more than twice the bytes it came from
// (a bad byte becomes the two bytes of 〓); room() leaves one word more for
// ASCII copied a word at a time.
PieceConverter::Done PieceConverter::convert(std::string_view whole, bool last, char* out) {
  const size_t cut =
      last ? whole.size() : form_ == UnicodeForm::Utf8 ? utf8Cut(whole) : utf16Cut(whole, form_ == UnicodeForm::Utf16Be);
  const std::string_view in = whole.substr(0, cut);
  pieceIn_ = in.data();
  pieceOut_ = out;
  char* at = out;
  if (!shiftJisCodes().asciiStays())
    at = convertSlowly(in, at);
  else if (form_ == UnicodeForm::Utf8)
    at = convertQuickly(in, at, [](const unsigned char* p, const unsigned char* end) -> std::pair<char32_t, int> {
      const unsigned c = p[0];
      if (c >= 0xC2 && c < 0xE0 && end - p >= 2 && isContinuation(p[1])) return {(c & 0x1F) << 6 | (p[1] & 0x3F), 2};
      if ((c & 0xF0) == 0xE0 && end - p >= 3 && isContinuation(p[1]) && isContinuation(p[2])) {
        const char32_t code = (c & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F);
        if (code >= 0x800 && (code < 0xD800 || code >= 0xE000)) return {code, 3};
      }
      return {0, 0};
    });
  else
    at = convertQuickly(in, at, [bigEndian = form_ == UnicodeForm::Utf16Be](
                                         const unsigned char* p, const unsigned char* end) -> std::pair<char32_t, int> {
      if (end - p < 2) return {0, 0};
      const unsigned unit = unitAt(p, bigEndian);
      if (unit >= 0xD800 && unit < 0xE000) return {0, 0};
      return {unit, 2};
    });
  const size_t written = size_t(at - out);
  written_ += written;
  taken_ += cut;
  return {cut, written};
}

// ASCII goes as it stands, eight bytes at a time in UTF-8; a character the
// codes know goes as they say; the stretch up to the next ASCII character
// goes the slow way from anything else. An ASCII character is always where
// the slow way would start a character, and it ends any bad sequence before
// it just as the end of a piece does.
template <class Decode>
char* PieceConverter::convertQuickly(std::string_view in, char* at, Decode decode) {
  using namespace byte_search;
  ShiftJisCodes& codes = shiftJisCodes();
  const bool utf8 = form_ == UnicodeForm::Utf8;
  const int unit = utf8 ? 1 : 2;
  const auto* p = reinterpret_cast<const unsigned char*>(in.data());
  const auto* const end = p + in.size();
  uint64_t ownForms = 0;  // kept apart from replaced_, which every byte written might change
  auto isAscii = [&](const unsigned char* q) {
    return utf8 ? *q < 0x80 : end - q >= 2 && unitAt(q, form_ == UnicodeForm::Utf16Be) < 0x80;
  };
  while (p < end) {
    if (isAscii(p)) {
      if (utf8) {
        for (; end - p >= 8; p += 8, at += 8) {
          const uint64_t word = loadWord(reinterpret_cast<const char*>(p));
          if ((word & kHighBits) != 0) break;
          std::memcpy(at, &word, sizeof word);
        }
        while (p < end && *p < 0x80) *at++ = char(*p++);
      } else {
        *at++ = char(p[form_ == UnicodeForm::Utf16Be ? 1 : 0]);
        p += 2;
      }
      continue;
    }
    const auto [code, length] = decode(p, end);
    const uint16_t sjis = length > 0 ? codes.of(code) : 0;
    if (sjis != 0) {
      ownForms += readInOwnForm(code);
      at = put(at, sjis);
      p += length;
      continue;
    }
    const unsigned char* next = p + unit;
    while (next < end && !isAscii(next)) next += unit;
    if (next > end) next = end;
    at = convertSlowly(std::string_view(reinterpret_cast<const char*>(p), size_t(next - p)), at);
    p = next;
  }
  replaced_.ownForms += ownForms;
  return at;
}

char* PieceConverter::convertSlowly(std::string_view in, char* at) {
  const ConvertedText converted = toShiftJisReplacing(in, form_);
  replaced_.add(converted.replaced, written_ + uint64_t(at - pieceOut_), taken_ + uint64_t(in.data() - pieceIn_));
  std::memcpy(at, converted.text.data(), converted.text.size());
  return at + converted.text.size();
}

}  // namespace headly
