// What typing does to a text: an edit that takes digits only drops every
// other character, and a byte limit cuts the rest on a character boundary
// (a double-byte character never loses half of itself). Text that the program
// sets is not cut; only what the user types.
#pragma once

#include <string_view>

#include "text/sjis_string.h"
#include "ui/catalogue.h"

namespace headly {

// Bytes of the character that starts at s[i]: 2 for a lead byte with its
// trail byte, else 1.
inline size_t sjisCharLength(std::string_view s, size_t i) {
  return isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

// The longest run of whole characters at the start of s within maxBytes.
SjisString cutToBytes(std::string_view s, int maxBytes);
// The text that typing `typed` into the edit leaves in it.
SjisString typedIntoEdit(const ControlSpec& edit, std::string_view typed);

// The input box takes at most this many bytes.
inline constexpr int kInputBoxMaxBytes = 64;

}  // namespace headly
