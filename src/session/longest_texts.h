// The longest text of every item, as it is and in full width, measured on
// the rebuilt lines while they are made, so that the second parse need not
// cut them again.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "session/line_fields.h"
#include "text/full_width.h"

namespace headly {

// items 0 when not measured.
struct LongestTexts {
  int32_t items = 0;
  std::vector<int32_t> asTheyAre, inFullWidth;
};

// Raises the longest text of item f, as it is and in full width, to text.
inline void raiseLongest(LongestTexts& longest, int32_t f, std::string_view text) {
  // The tallies of the threads may share cache lines: they are written only
  // when a text is longer, which soon is seldom.
  const int32_t length = int32_t(text.size());
  int32_t& longestAsItIs = longest.asTheyAre[size_t(f)];
  if (length > longestAsItIs) longestAsItIs = length;
  // No byte gives more than two in full width: a text of at most half the
  // longest so far cannot be longer.
  int32_t& longestConverted = longest.inFullWidth[size_t(f)];
  if (2 * length <= longestConverted) return;
  const int32_t converted = int32_t(fullWidthLength(text));
  if (converted > longestConverted) longestConverted = converted;
}

// Cuts a rebuilt data line with fields (which collapse quotes) and raises
// the longest texts of longest.
inline void measureRebuiltLine(LineFields& fields, std::string_view line, LongestTexts& longest) {
  fields.cut(line);
  for (int32_t f = 0; f < fields.count(); ++f) raiseLongest(longest, f, fields.text(f));
}

// Raises the longest texts of into to those of from.
inline void joinLongest(LongestTexts& into, const LongestTexts& from) {
  for (size_t f = 0; f < size_t(into.items); ++f) {
    into.asTheyAre[f] = std::max(into.asTheyAre[f], from.asTheyAre[f]);
    into.inFullWidth[f] = std::max(into.inFullWidth[f], from.inFullWidth[f]);
  }
}

}  // namespace headly
