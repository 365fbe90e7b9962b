#include "text/piece_conversion.h"

#include <algorithm>
#include <bit>
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
    at = convertUtf8Quickly(in, at);
  else
    at = convertUtf16Quickly(in, at);
  const size_t written = size_t(at - out);
  written_ += written;
  taken_ += cut;
  return {cut, written};
}

// ASCII goes as it stands; a character the codes know goes as they say;
// the stretch up to the next ASCII character goes the slow way from
// anything else. An ASCII character is always where the slow way would
// start a character, and it ends any bad sequence before it just as the end
// of a piece does.
char* PieceConverter::convertUtf8Quickly(std::string_view in, char* at) {
  using namespace byte_search;
  ShiftJisCodes& codes = shiftJisCodes();
  const auto* p = reinterpret_cast<const unsigned char*>(in.data());
  const auto* const end = p + in.size();
  const auto* const lastWord = end - std::min<size_t>(in.size(), 3);  // four bytes from here on
  uint64_t ownForms = 0;  // kept apart from replaced_, which every byte written might change
  while (p < end) {
    if (*p < 0x80) {
      // Eight bytes go out at once and the ASCII ones among them count (the
      // room has a word to spare): a short run between Japanese characters
      // takes one step.
      if (end - p < 8) {
        *at++ = char(*p++);
        continue;
      }
      const uint64_t word = loadWord(reinterpret_cast<const char*>(p));
      std::memcpy(at, &word, sizeof word);
      const uint64_t high = word & kHighBits;
      const int ascii = high != 0 ? std::countr_zero(high) / 8 : 8;
      p += ascii;
      at += ascii;
      continue;
    }
    sawNonAscii_ = true;
    // The common character of Japanese text, one after another: three bytes
    // read as one word, led by neither E0 (which has overlong forms) nor ED
    // (which has surrogates).
    while (p < lastWord) {
      uint32_t word;
      std::memcpy(&word, p, sizeof word);
      if ((word & 0xC0C0F0) != 0x8080E0 || (0x2001u >> (word & 0x0F) & 1) != 0) break;
      const char32_t code = (word & 0x0F) << 12 | (word & 0x3F00) >> 2 | (word >> 16 & 0x3F);
      const uint16_t known = codes.of(code);
      if (known == 0) break;
      // The test out of the way of the common characters, which lie above.
      if (code <= kLastOwnFormSource) [[unlikely]]
        ownForms += readInOwnForm(code);
      at = put(at, known);
      p += 3;
    }
    if (p == end || *p < 0x80) continue;
    const unsigned c = *p;
    char32_t code = 0;
    uint16_t sjis = 0;
    int length = 0;
    if ((c & 0xF0) == 0xE0 && end - p >= 3 && isContinuation(p[1]) && isContinuation(p[2])) {
      code = (c & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F);
      if (code >= 0x800 && (code < 0xD800 || code >= 0xE000)) sjis = codes.of(code);
      length = 3;
    } else if (c >= 0xC2 && c < 0xE0 && end - p >= 2 && isContinuation(p[1])) {
      code = (c & 0x1F) << 6 | (p[1] & 0x3F);
      sjis = codes.of(code);
      length = 2;
    }
    if (sjis != 0) {
      ownForms += readInOwnForm(code);
      at = put(at, sjis);
      p += length;
      continue;
    }
    const unsigned char* next = p + 1;
    while (next < end && *next >= 0x80) ++next;
    at = convertSlowly(std::string_view(reinterpret_cast<const char*>(p), size_t(next - p)), at);
    if (stopAtInvalid_ && !allValid_) break;
    p = next;
  }
  replaced_.ownForms += ownForms;
  return at;
}

char* PieceConverter::convertUtf16Quickly(std::string_view in, char* at) {
  ShiftJisCodes& codes = shiftJisCodes();
  const bool bigEndian = form_ == UnicodeForm::Utf16Be;
  const auto* p = reinterpret_cast<const unsigned char*>(in.data());
  const auto* const end = p + in.size();
  auto isAscii = [&](const unsigned char* q) { return end - q >= 2 && unitAt(q, bigEndian) < 0x80; };
  uint64_t ownForms = 0;
  while (p < end) {
    if (isAscii(p)) {
      *at++ = char(p[bigEndian ? 1 : 0]);
      p += 2;
      continue;
    }
    const unsigned unit = end - p >= 2 ? unitAt(p, bigEndian) : 0xD800;
    const uint16_t sjis = unit >= 0xD800 && unit < 0xE000 ? 0 : codes.of(unit);
    if (sjis != 0) {
      ownForms += readInOwnForm(unit);
      at = put(at, sjis);
      p += 2;
      continue;
    }
    const unsigned char* next = p + 2;
    while (next < end && !isAscii(next)) next += 2;
    if (next > end) next = end;
    at = convertSlowly(std::string_view(reinterpret_cast<const char*>(p), size_t(next - p)), at);
    p = next;
  }
  replaced_.ownForms += ownForms;
  return at;
}

void PieceConverter::append(const PieceConverter& next) {
  replaced_.add(next.replaced_, written_, taken_);
  written_ += next.written_;
  taken_ += next.taken_;
  allValid_ = allValid_ && next.allValid_;
  sawNonAscii_ = sawNonAscii_ || next.sawNonAscii_;
}

char* PieceConverter::convertSlowly(std::string_view in, char* at) {
  if (form_ == UnicodeForm::Utf8) {
    allValid_ = allValid_ && isUtf8(in);
    if (stopAtInvalid_ && !allValid_) return at;
    sawNonAscii_ = sawNonAscii_ || std::any_of(in.begin(), in.end(), [](char c) { return c & 0x80; });
  }
  const ConvertedText converted = toShiftJisReplacing(in, form_);
  replaced_.add(converted.replaced, written_ + uint64_t(at - pieceOut_), taken_ + uint64_t(in.data() - pieceIn_));
  std::memcpy(at, converted.text.data(), converted.text.size());
  return at + converted.text.size();
}

}  // namespace headly
