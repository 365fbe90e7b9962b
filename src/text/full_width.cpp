#include "text/full_width.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "text/runtime_error.h"

namespace headly {
namespace {

constexpr uint16_t kBlackSquare = 0x81A1;  // ■
constexpr uint16_t kVoicedMark = 0x814A;   // ゛
constexpr uint16_t kSemiVoicedMark = 0x814B;  // ゜
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

bool takesVoicedMark(unsigned char b) { return (b >= 0xB6 && b <= 0xC4) || (b >= 0xCA && b <= 0xCE); }
bool takesSemiVoicedMark(unsigned char b) { return b >= 0xCA && b <= 0xCE; }

}  // namespace

void appendFullWidth(std::string_view s, SjisString& out) {
  if (s.size() > kMaxInput) raise(err::kStringTooLong);
  // Every byte gives at most two: room for all of them, written through o.
  const size_t base = out.size();
  out.resize(base + 2 * s.size());
  char* const first = out.data() + base;
  char* o = first;
  const auto put2 = [&o](uint16_t code) {
    o[0] = char(code >> 8);
    o[1] = char(code & 0xFF);
    o += 2;
  };
  // The half-width kana just converted, or 0: the marks merge only into it.
  unsigned char previousKana = 0;
  for (size_t i = 0; i < s.size();) {
    const unsigned char b = static_cast<unsigned char>(s[i]);
    unsigned char kana = 0;
    if (isLeadByte(b) && i + 1 < s.size()) {
      // A run of double-byte characters stays as it is.
      size_t j = i + 2;
      while (j + 1 < s.size() && isLeadByte(static_cast<unsigned char>(s[j]))) j += 2;
      std::memcpy(o, s.data() + i, j - i);
      o += j - i;
      i = j;
      previousKana = 0;
      continue;
    }
    if (b >= 0x20 && b <= 0x7F) {
      put2(kAsciiTable[b - 0x20]);
    } else if (b == 0xDE) {
      if (takesVoicedMark(previousKana)) o[-1] = char(static_cast<unsigned char>(o[-1]) + 1);
      else put2(kVoicedMark);
    } else if (b == 0xDF) {
      if (takesSemiVoicedMark(previousKana)) o[-1] = char(static_cast<unsigned char>(o[-1]) + 2);
      else put2(kSemiVoicedMark);
    } else if (b >= 0xA0 && b <= 0xDD) {
      put2(kKanaTable[b - 0xA0]);
      kana = b;
    } else {
      put2(kBlackSquare);
    }
    previousKana = kana;
    ++i;
  }
  out.resize(base + size_t(o - first));
}

SjisString toFullWidth(std::string_view s) {
  SjisString out;
  appendFullWidth(s, out);
  return out;
}

}  // namespace headly
