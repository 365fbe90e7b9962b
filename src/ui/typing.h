// What typing does to a text: full-width digits, as an input method types
// them, become half-width ones in a field that takes a number (an edit that
// takes digits only, and the input box, which asks for the record limit);
// an edit that takes digits only drops every other character; and a byte
// limit cuts the rest on a character boundary (a double-byte character never
// loses half of itself). Text that the program sets is not cut; only what the
// user types. Both backends type by these rules.
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

struct TypingRule {
  int maxBytes = 0;  // 0: no limit
  bool digitsOnly = false;
  bool number = false;  // full-width digits become half-width ones
};

// The input box takes at most this many bytes.
inline constexpr int kInputBoxMaxBytes = 64;
inline constexpr TypingRule kInputBoxTyping{kInputBoxMaxBytes, false, true};

TypingRule typingRuleOf(const ControlSpec& edit);
// The longest run of whole characters at the start of s within maxBytes.
SjisString cutToBytes(std::string_view s, int maxBytes);
// s with its full-width digits (０ to ９) as half-width ones.
SjisString halfWidthDigits(std::string_view s);
// The text as the rule reads it before anything is dropped or cut.
SjisString typedForm(const TypingRule& rule, std::string_view typed);
// The text that typing `typed` into a field leaves in it.
SjisString typedInto(const TypingRule& rule, std::string_view typed);

}  // namespace headly
