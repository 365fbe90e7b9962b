// Which heading items a record writes: a heading is written when its value
// differs from the record before (the item names for the first record) or
// when a heading above it was written for the same record. In folder mode
// the first record always breaks at level 0, so every level gets its folder
// and its number.
#pragma once

#include <cstdint>

#include "session/record_tables.h"

namespace headly {

class HeadingBreaks {
 public:
  HeadingBreaks(const CellTable& cells, bool folderMode) : cells_(cells), folderMode_(folderMode) {}

  // True when heading item i is written for record r. Asked for every
  // heading item of a record in order, and for the records in order.
  bool breaksAt(int32_t r, int32_t i) {
    const bool firstFolder = folderMode_ && r == 1 && i == 0;
    if (!firstFolder && i <= lastHeadingLevel_ && cells_.get(r, i) == cells_.get(r - 1, i)) return false;
    lastHeadingLevel_ = i;
    return true;
  }

 private:
  const CellTable& cells_;
  const bool folderMode_;
  int32_t lastHeadingLevel_ = 0;
};

}  // namespace headly
