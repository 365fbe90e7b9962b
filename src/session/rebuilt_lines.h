// The record lines rebuilt from the classified items: the heading items in
// heading order and then the other items in their order, each with the text
// that the first parse cuts from the line read (doubled quotes kept), quoted
// again where the data file quoted it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "session/line_fields.h"
#include "text/byte_search.h"
#include "text/sjis_string.h"

namespace headly {

// A quoted cell without the stray closing quote that a last field keeps when
// its line goes on after the quote: the last byte goes when it is a quote
// and the last two bytes are not a doubled quote.
inline std::string_view trimTrailingQuote(std::string_view cell) {
  const size_t n = cell.size();
  if (n > 0 && cell[n - 1] == '"' && !(n > 1 && cell[n - 2] == '"')) cell.remove_suffix(1);
  return cell;
}

// What item of the fields cut from a line read adds to its rebuilt line: its
// text, and whether it goes in quotes because it was quoted in the data
// file. An item the line has no field for is empty, and so is an empty item
// name, which the item lists show as "（空白）".
struct RebuiltField {
  std::string_view text;
  bool quoted = false;
};
inline RebuiltField rebuiltField(const LineFields& fields, int item) {
  if (item >= fields.count()) return {};
  if (fields.quoted(item)) return {trimTrailingQuote(fields.text(item)), true};
  return {fields.text(item), false};
}

// The field that cutting a rebuilt line again, doubled quotes collapsed,
// gives for item when read, which cut its line read, reworked no quotes:
// the item's rebuilt field, its doubled quotes collapsed into scratch
// (cleared first) when it holds any.
inline RebuiltField secondParseField(const LineFields& read, int item, SjisString& scratch) {
  RebuiltField field = rebuiltField(read, item);
  if (item >= read.count() || !read.holdsQuote(item)) return field;
  // A quoted text that is not the last of its line never ends in a quote of
  // its own, so the rebuilt line's closing quote pairs with nothing in it.
  scratch.clear();
  collapseDoubledQuotes(field.text, scratch);
  field.text = scratch;
  return field;
}

// How many of items, from the first, the rebuilt line of now holds with the
// same cells as that of before, counted up to kMostLeadingItems. Both lines
// were cut reworking no quotes: then a field's text and whether it was quoted
// fix its cell, in full width too.
inline constexpr int kMostLeadingItems = 255;
inline uint8_t unchangedLeadingItems(const LineFields& before, const LineFields& now, const std::vector<int>& items) {
  const size_t counted = std::min(items.size(), size_t(kMostLeadingItems));
  size_t k = 0;
  for (; k < counted; ++k) {
    const RebuiltField was = rebuiltField(before, items[k]), is = rebuiltField(now, items[k]);
    if (was.quoted != is.quoted || !sameBytes(was.text, is.text)) break;
  }
  return uint8_t(k);
}

// Appends the rebuilt line of items to out: the fields of line, cut by
// fields as the first parse cuts them, in the order of items, separated by
// commas.
void buildRebuiltLine(const std::vector<int>& items, std::string_view line, const LineFields& fields,
                      SjisString& out);

}  // namespace headly
