#include "ui/typing.h"

namespace headly {
SjisString cutToBytes(std::string_view s, int maxBytes) {
  size_t end = 0;
  while (end < s.size() && end + sjisCharLength(s, end) <= size_t(maxBytes)) end += sjisCharLength(s, end);
  return SjisString(s.substr(0, end));
}

SjisString typedIntoEdit(const ControlSpec& edit, std::string_view typed) {
  SjisString kept;
  for (size_t i = 0; i < typed.size(); i += sjisCharLength(typed, i)) {
    const size_t n = sjisCharLength(typed, i);
    if (edit.digitsOnly && !(n == 1 && typed[i] >= '0' && typed[i] <= '9')) continue;
    kept.append(typed.substr(i, n));
  }
  return edit.maxBytes > 0 ? cutToBytes(kept, edit.maxBytes) : kept;
}

}  // namespace headly
