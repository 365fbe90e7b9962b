// The names that heading values get as folders and files in folder mode: an
// optional running number in front (numberPrefix), "？" for an empty value
// and ".TXT" for the last heading level.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "text/sjis_string.h"

namespace headly {

class HeadingNames {
 public:
  // levels: the number of heading items; numbering: CHECK5 checked. Numbers
  // get as many digits as recordCount has.
  HeadingNames(int32_t levels, bool numbering, int32_t recordCount);

  // Counts a heading break at level (when numbering) and returns the name of
  // its heading of that value; valid until the next call.
  const SjisString& nameAtBreak(int32_t level, std::string_view value);

  const SjisString& numberPrefix() const { return numberPrefix_; }
  int32_t numberWidth() const { return numberWidth_; }

 private:
  bool numbering_;
  int32_t numberWidth_;
  std::vector<int32_t> levelCounter_;
  SjisString numberPrefix_;
  SjisString name_;
};

}  // namespace headly
