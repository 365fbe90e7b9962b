#include "session/rebuilt_lines.h"

#include <algorithm>

namespace headly {

std::string_view trimTrailingQuote(std::string_view cell) {
  const size_t n = cell.size();
  if (n > 0 && cell[n - 1] == '"' && !(n > 1 && cell[n - 2] == '"')) cell.remove_suffix(1);
  return cell;
}

RebuiltField rebuiltField(const LineFields& fields, int item) {
  if (item >= fields.count()) return {};
  if (fields.quoted(item)) return {trimTrailingQuote(fields.text(item)), true};
  return {fields.text(item), false};
}

std::string_view secondParseText(const LineFields& read, int item, SjisString& scratch) {
  const std::string_view text = rebuiltField(read, item).text;
  if (item >= read.count() || !read.holdsQuote(item)) return text;
  // A quoted text that is not the last of its line never ends in a quote of
  // its own, so the rebuilt line's closing quote pairs with nothing in it.
  scratch.clear();
  collapseDoubledQuotes(text, scratch);
  return scratch;
}

void buildRebuiltLine(const std::vector<int>& items, std::string_view line, const LineFields& fields,
                      SjisString& out) {
  // No text is longer than its part of line, so the rebuilt line has room in
  // line's length and two quotes and a comma for each item.
  const size_t from = out.size();
  out.resize(from + line.size() + 3 * items.size());
  char* const begin = out.data();
  char* p = begin + from;
  for (size_t k = 0; k < items.size(); ++k) {
    if (k > 0) *p++ = ',';
    const RebuiltField field = rebuiltField(fields, items[k]);
    if (field.quoted) *p++ = '"';
    p = std::copy(field.text.begin(), field.text.end(), p);
    if (field.quoted) *p++ = '"';
  }
  out.resize(size_t(p - begin));
}

}  // namespace headly
