#include "text/full_width.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "text/byte_search.h"
#include "text/runtime_error.h"

namespace headly {
namespace {

constexpr uint16_t kBlackSquare = 0x81A1;  // ■
constexpr size_t kMaxInput = 0x3FFFFFFF;

// Full-width forms of 0x20-0x7F (blank, symbols, digits and letters).
constexpr std::array<uint16_t, 0x60> kAsciiTable = [] {
  std::array<uint16_t, 0x60> t{};
  constexpr uint16_t symbols[] = {
      0x8140, 0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166,  // 20-27
      0x8169, 0x816A, 0x8196, 0x817B, 0x8143, 0x817C, 0x8144, 0x815E,  // 28-2F
  };
  for (int i = 0; i < 16; ++i) t[i] = symbols[i];
  for (int i = 0; i < 10; ++i) t[0x10 + i] = uint16_t(0x824F + i);  // 0-9
  constexpr uint16_t afterDigits[] = {0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148, 0x8197};  // 3A-40
  for (int i = 0; i < 7; ++i) t[0x1A + i] = afterDigits[i];
  for (int i = 0; i < 26; ++i) t[0x21 + i] = uint16_t(0x8260 + i);  // A-Z
  constexpr uint16_t afterCapitals[] = {0x816D, 0x818F, 0x816E, 0x814F, 0x8151, 0x814D};  // 5B-60
  for (int i = 0; i < 6; ++i) t[0x3B + i] = afterCapitals[i];
  for (int i = 0; i < 26; ++i) t[0x41 + i] = uint16_t(0x8281 + i);  // a-z
  constexpr uint16_t last[] = {0x816F, 0x8162, 0x8170, 0x8150, 0x8140};  // 7B-7F
  for (int i = 0; i < 5; ++i) t[0x5B + i] = last[i];
  return t;
}();

// Full-width forms of the half-width kana 0xA0-0xDF.
constexpr uint16_t kKanaTable[0x40] = {
    0x8140, 0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340,  // A0-A7
    0x8342, 0x8344, 0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362,  // A8-AF
    0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C,  // B0-B7
    0x834E, 0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C,  // B8-BF
    0x835E, 0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B,  // C0-C7
    0x836C, 0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D,  // C8-CF
    0x837E, 0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389,  // D0-D7
    0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,  // D8-DF
};

// The full-width form of every byte that stands for a character of its own,
// its two bytes in output order: ASCII and kana (with the two marks) from
// the tables above, anything else ■.
constexpr std::array<std::array<char, 2>, 256> kSingleByteForms = [] {
  std::array<std::array<char, 2>, 256> t{};
  for (int b = 0; b < 256; ++b) {
    const uint16_t code = b >= 0x20 && b <= 0x7F   ? kAsciiTable[size_t(b - 0x20)]
                          : b >= 0xA0 && b <= 0xDF ? kKanaTable[b - 0xA0]
                                                   : kBlackSquare;
    t[size_t(b)] = {char(code >> 8), char(code & 0xFF)};
  }
  return t;
}();

// The bytes that are a character of their own whatever stands before them:
// all but the lead bytes and the two marks.
constexpr std::array<bool, 256> kPlainSingleByte = [] {
  std::array<bool, 256> t{};
  for (int b = 0; b < 256; ++b) t[size_t(b)] = !isLeadByte(static_cast<unsigned char>(b)) && b != 0xDE && b != 0xDF;
  return t;
}();

bool takesVoicedMark(unsigned char b) { return (b >= 0xB6 && b <= 0xC4) || (b >= 0xCA && b <= 0xCE); }
bool takesSemiVoicedMark(unsigned char b) { return b >= 0xCA && b <= 0xCE; }

// The end of the run of double-byte characters that starts at i (i itself
// when none does); a lead byte at the very end is no character.
size_t doubleByteRunEnd(std::string_view s, size_t i) {
  while (i + 1 < s.size() && isLeadByte(static_cast<unsigned char>(s[i]))) i += 2;
  return i;
}

}  // namespace

void appendFullWidth(std::string_view s, SjisString& out) {
  if (s.size() > kMaxInput) raise(err::kStringTooLong);
  // Every byte gives at most two: room for all of them.
  const size_t base = out.size();
  out.resize(base + 2 * s.size());
  char* const first = out.data() + base;
  out.resize(base + size_t(writeFullWidth(s, first) - first));
}

char* writeFullWidth(std::string_view s, char* o) {
  // The byte just converted, 0 after a double-byte character: a mark merges
  // only into the kana before it.
  unsigned char previous = 0;
  for (size_t i = 0; i < s.size();) {
    const unsigned char b = static_cast<unsigned char>(s[i]);
    if (kPlainSingleByte[b]) {
      std::memcpy(o, kSingleByteForms[b].data(), 2);
      o += 2;
      previous = b;
      ++i;
      continue;
    }
    // A run of double-byte characters stays as it is.
    if (const size_t run = doubleByteRunEnd(s, i); run != i) {
      std::memcpy(o, s.data() + i, run - i);
      o += run - i;
      i = run;
      previous = 0;
      continue;
    }
    // A mark, or a lead byte at the very end.
    if (b == 0xDE && takesVoicedMark(previous)) {
      o[-1] = char(static_cast<unsigned char>(o[-1]) + 1);
    } else if (b == 0xDF && takesSemiVoicedMark(previous)) {
      o[-1] = char(static_cast<unsigned char>(o[-1]) + 2);
    } else {
      std::memcpy(o, kSingleByteForms[b].data(), 2);
      o += 2;
    }
    previous = b;
    ++i;
  }
  return o;
}

size_t fullWidthLength(std::string_view s) {
  if (s.size() > kMaxInput) raise(err::kStringTooLong);
  size_t length = 0;
  unsigned char previous = 0;  // as in appendFullWidth
  for (size_t i = 0; i < s.size();) {
    // Eight bytes below 0x80 at a time: each becomes one double-byte
    // character, and none takes a mark.
    if (s.size() - i >= 8 && (byte_search::loadWord(s.data() + i) & byte_search::kHighBits) == 0) {
      length += 16;
      previous = static_cast<unsigned char>(s[i + 7]);
      i += 8;
      continue;
    }
    const unsigned char b = static_cast<unsigned char>(s[i]);
    if (kPlainSingleByte[b]) {
      length += 2;
      previous = b;
      ++i;
      continue;
    }
    if (const size_t run = doubleByteRunEnd(s, i); run != i) {
      length += run - i;
      i = run;
      previous = 0;
      continue;
    }
    const bool merged = (b == 0xDE && takesVoicedMark(previous)) || (b == 0xDF && takesSemiVoicedMark(previous));
    if (!merged) length += 2;
    previous = b;
    ++i;
  }
  return length;
}

bool isFullWidth(std::string_view s) { return doubleByteRunEnd(s, 0) == s.size(); }

SjisString toFullWidth(std::string_view s) {
  SjisString out;
  appendFullWidth(s, out);
  return out;
}

}  // namespace headly
