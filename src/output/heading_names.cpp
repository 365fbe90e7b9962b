#include "output/heading_names.h"

#include <algorithm>

#include "text/encoding.h"
#include "text/numbers.h"

namespace headly {

HeadingNames::HeadingNames(int32_t levels, bool numbering, int32_t recordCount)
    : numbering_(numbering),
      numberWidth_(byteLength(countText(recordCount))),
      levelCounter_(size_t(levels), 0) {}

const SjisString& HeadingNames::nameAtBreak(int32_t level, std::string_view value) {
  const int32_t lastLevel = int32_t(levelCounter_.size()) - 1;
  if (numbering_) {
    const int32_t number = ++levelCounter_[size_t(level)];
    // The deeper levels count again from 1: a break here breaks them all.
    if (level < lastLevel) levelCounter_[size_t(level) + 1] = 0;
    const SjisString digits = countText(number);
    numberPrefix_.assign(size_t(std::max(numberWidth_ - byteLength(digits), 0)), '0');
    numberPrefix_ += digits;
    numberPrefix_ += '_';
  }
  static const SjisString emptyValue = sjis("？");
  name_.assign(numberPrefix_);
  name_.append(value.empty() ? std::string_view(emptyValue) : value);
  if (level == lastLevel) name_ += ".TXT";
  return name_;
}

}  // namespace headly
