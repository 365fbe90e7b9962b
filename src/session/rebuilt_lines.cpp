#include "session/rebuilt_lines.h"

#include <algorithm>

namespace headly {

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
