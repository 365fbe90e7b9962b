// SjisString: the one text type of the program. Shift-JIS bytes with an
// explicit length; positions are 1-based byte positions and every length is a
// byte count (a full-width character counts 2). The cutting and searching
// operations never look at double-byte characters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace headly {

using SjisString = std::string;

inline constexpr int32_t kRestOfString = 2147483647;

inline int32_t byteLength(std::string_view s) { return static_cast<int32_t>(s.size()); }

// The bytes from position start, at most count of them. start < 1 or count < 0: error 5.
SjisString midBytes(std::string_view s, int32_t start, int32_t count);
int compareBytes(std::string_view a, std::string_view b);
SjisString blanks(int32_t n);
SjisString repeatByte(int32_t n, std::string_view s);

// True for a Shift-JIS lead byte (0x81-0x9F, 0xE0-0xFC).
constexpr bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

inline constexpr char kEscMarker[] = "\x1b";
inline bool isEscMarker(std::string_view s) { return s == kEscMarker; }

}  // namespace headly
