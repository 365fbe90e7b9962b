// Scanning of internal paths (Shift-JIS, backslash separators). A trail byte
// of a double-byte character may be 0x5C, so every scan steps over
// double-byte characters as a whole.
#pragma once

#include <string_view>
#include <vector>

#include "text/sjis_string.h"

namespace headly {

// Bytes of the character that starts at i: 2 for a lead byte with a byte
// after it, else 1.
inline size_t charLengthAt(std::string_view s, size_t i) {
  return isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

// The parts of s between separator bytes (a single-byte character sep).
std::vector<std::string_view> splitAtSeparators(std::string_view s, char sep);

// A name that can stand in an internal path as one folder or file name: not
// empty, no separator, drive colon, wildcard or control byte.
bool isPlainName(std::string_view name);

// Whether a name holds a wildcard, '*' or '?' (both below 0x40, so never
// the trail byte of a double-byte character).
inline bool hasWildcard(std::string_view name) { return name.find_first_of("*?") != std::string_view::npos; }

struct PathParts {
  SjisString drive, folder, name, extension;
};
// Splits C:\DATA\SALES.2010.CSV into C:, \DATA\, SALES.2010 and .CSV,
// stepping over double-byte characters.
PathParts splitPath(std::string_view path);

}  // namespace headly
