#include "ui/typing.h"

namespace headly {

TypingRule typingRuleOf(const ControlSpec& edit) { return {edit.maxBytes, edit.digitsOnly, edit.digitsOnly}; }

SjisString cutToBytes(std::string_view s, int maxBytes) {
  size_t end = 0;
  while (end < s.size() && end + sjisCharLength(s, end) <= size_t(maxBytes)) end += sjisCharLength(s, end);
  return SjisString(s.substr(0, end));
}

// ０ to ９ are 0x82 0x4F to 0x82 0x58.
SjisString halfWidthDigits(std::string_view s) {
  SjisString out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); i += sjisCharLength(s, i)) {
    const size_t n = sjisCharLength(s, i);
    const auto trail = n == 2 ? static_cast<unsigned char>(s[i + 1]) : 0;
    if (n == 2 && static_cast<unsigned char>(s[i]) == 0x82 && trail >= 0x4F && trail <= 0x58)
      out.push_back(char('0' + (trail - 0x4F)));
    else
      out.append(s.substr(i, n));
  }
  return out;
}

SjisString typedForm(const TypingRule& rule, std::string_view typed) {
  return rule.number ? halfWidthDigits(typed) : SjisString(typed);
}

SjisString typedInto(const TypingRule& rule, std::string_view typed) {
  const SjisString form = typedForm(rule, typed);
  SjisString kept;
  for (size_t i = 0; i < form.size(); i += sjisCharLength(form, i)) {
    const size_t n = sjisCharLength(form, i);
    if (rule.digitsOnly && !(n == 1 && form[i] >= '0' && form[i] <= '9')) continue;
    kept.append(form, i, n);
  }
  return rule.maxBytes > 0 ? cutToBytes(kept, rule.maxBytes) : kept;
}

}  // namespace headly
