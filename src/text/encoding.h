// The one place where Shift-JIS (code page 932) meets UTF-8 and UTF-16: the
// screen, the transcript, native file names and files written by other
// tools. Everything else in the program is bytes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/sjis_string.h"

namespace headly {

// Opens the converters between Shift-JIS and UTF-8 and UTF-16 that every conversion
// uses (they stay open); error 48 when the system has no CP932 converter.
// Each program calls it first.
void openConverters();
// Names the converter of Shift-JIS text (CP932 unless changed), closing the
// open ones: tests name one that is not installed.
void useShiftJisConverter(const std::string& name);

// Shift-JIS to UTF-8. Bytes that have no UTF-8 form are replaced by U+FFFD.
std::string toUtf8(std::string_view sjis);
// Shift-JIS to UTF-8, or nothing when some byte sequence has no UTF-8 form.
std::optional<std::string> toUtf8Exact(std::string_view sjis);
// UTF-8 to Shift-JIS, or nothing when a character has no Shift-JIS form.
std::optional<SjisString> fromUtf8(std::string_view utf8);
// A native name's Shift-JIS form, when the name comes back unchanged through
// the way back (U+00A5 would become a backslash). It may hold the other
// Unicode forms of Shift-JIS characters that input methods and other
// systems write (U+301C for U+FF5E, U+2212 for U+FF0D, ...).
std::optional<SjisString> fromNativeName(std::string_view utf8);
// The name with each of those other forms replaced by the one Shift-JIS
// gives back (U+301C becomes U+FF5E): two names that are the same Shift-JIS
// name have the same standard form.
std::string standardNameForm(std::string_view utf8);
// True when a name (in its standard form) holds a character that has
// another form on disk.
bool hasOtherNameForms(std::string_view standardUtf8);

// A text of another tool converted to Shift-JIS. A character that has no
// Shift-JIS form, or a byte sequence that is not valid in the source, becomes
// 〓 (0x81AC); the first place of each is kept for the message.
enum class UnicodeForm { Utf8, Utf16Le, Utf16Be };
struct ReplacedCharacters {
  // Characters that Shift-JIS lacks.
  uint64_t count = 0;
  uint64_t firstAt = 0;     // byte offset of the first one's 〓 in the converted text
  char32_t firstCode = 0;   // the character it stands for
  // Byte sequences that are not valid UTF-8 or UTF-16, and where the first
  // one starts in the converted text and in the source.
  uint64_t invalid = 0, firstInvalidAt = 0, firstInvalidInSource = 0;
  // Characters that Shift-JIS reads as one of its own and gives back in its
  // own form (− U+2212 as － U+FF0D): none of them becomes 〓.
  uint64_t ownForms = 0;
  // Adds what a later part met, whose text starts at textAt in the whole
  // converted text and whose source at sourceAt.
  void add(const ReplacedCharacters& later, uint64_t textAt, uint64_t sourceAt);
};
struct ConvertedText {
  SjisString text;
  ReplacedCharacters replaced;
};
// True for − U+2212, 〜 U+301C, ‖ U+2016, — U+2014, ¢ £ ¬ U+00A2 U+00A3
// U+00AC, ¥ U+00A5 and ‾ U+203E, which the Shift-JIS codes read as the
// characters of －, ～, ∥, ―, ￠ ￡ ￢, the backslash and the tilde.
constexpr char32_t kLastOwnFormSource = 0x301C;
inline bool readInOwnForm(char32_t code) {
  if (code > kLastOwnFormSource) return false;  // the kana and kanji of most text
  switch (code) {
    case 0x00A2: case 0x00A3: case 0x00A5: case 0x00AC: case 0x2014: case 0x2016: case 0x203E: case 0x2212:
    case 0x301C:
      return true;
    default:
      return false;
  }
}
// Whether the bytes are whole UTF-8 characters, every one of them: no
// overlong form, surrogate or code point past U+10FFFF, nothing cut off.
bool isUtf8(std::string_view text);

// Without a byte-order mark: the caller leaves it out.
ConvertedText toShiftJisReplacing(std::string_view text, UnicodeForm form);

// The Shift-JIS form that the converter gives each character of the Basic
// Multilingual Plane, learnt from it as characters are met: the byte, or the
// lead byte times 256 plus the trail byte; 0 for none. Not for ASCII, whose
// bytes stay as they are when asciiStays().
class ShiftJisCodes {
 public:
  ShiftJisCodes() { codes_.fill(kUnknown); }
  uint16_t of(char32_t code) {
    const uint16_t known = codes_[code];
    return known != kUnknown ? known : learn(code);
  }
  bool asciiStays();

 private:
  static constexpr uint16_t kUnknown = 0xFFFF;  // no Shift-JIS code: its trail byte would be 0xFF
  uint16_t learn(char32_t code);
  std::array<uint16_t, 0x10000> codes_;
  std::optional<bool> asciiStays_;
};
// The codes of the converter in use, on the calling thread.
ShiftJisCodes& shiftJisCodes();

// A text of the program's own, written in UTF-8 in the source. Such texts
// always have a Shift-JIS form.
SjisString sjis(std::string_view utf8);

}  // namespace headly
