// Which heading items a record writes: a heading is written when its value
// differs from the record before (the item names for the first record) or
// when a heading above it was written for the same record. In folder mode
// the first record always breaks at level 0, so every level gets its folder
// and its number.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "session/cell_table.h"
#include "text/sjis_string.h"

namespace headly {

class HeadingBreaks {
 public:
  // levels: the number of heading items; the records are asked from
  // firstRecord on. The first record breaks at the last level at least (its
  // first level compares with the item names and the ones below break), so
  // from the second on every level is compared until one breaks: where
  // records start does not change what breaks. unchanged, when not empty,
  // tells for every record how many of its first items are known to hold
  // the cells of the record before, which are then not compared.
  HeadingBreaks(const CellReader& cells, bool folderMode, int32_t levels, int32_t firstRecord = 1,
                std::span<const uint8_t> unchanged = {})
      : cells_(cells),
        folderMode_(folderMode),
        lastHeadingLevel_(firstRecord > 1 ? std::max(levels - 1, 0) : 0),
        unchanged_(unchanged) {}

  // True when heading item i is written for record r. Asked for every
  // heading item of a record in order, and for the records in order.
  bool breaksAt(int32_t r, int32_t i) {
    const bool firstFolder = folderMode_ && r == 1 && i == 0;
    if (!firstFolder && i <= lastHeadingLevel_ && sameAsBefore(r, i)) return false;
    lastHeadingLevel_ = i;
    return true;
  }

 private:
  bool sameAsBefore(int32_t r, int32_t i) const {
    if (size_t(r) < unchanged_.size() && i < unchanged_[size_t(r)]) return true;
    return cells_.get(r, i) == cells_.get(r - 1, i);
  }

  const CellReader& cells_;
  const bool folderMode_;
  int32_t lastHeadingLevel_;
  std::span<const uint8_t> unchanged_;
};

// The heading breaks met in a block of records, in order: each with its
// level, its value and a position that its user gives it (where the block's
// output stood). Entries are reused from block to block.
class BreakList {
 public:
  struct Break {
    size_t offset = 0;
    int32_t level = 0;
    SjisString value;
  };
  void clear() { count_ = 0; }
  void add(size_t offset, int32_t level, std::string_view value) {
    if (count_ == breaks_.size()) breaks_.emplace_back();
    Break& at = breaks_[count_++];
    at.offset = offset;
    at.level = level;
    at.value.assign(value);
  }
  const Break* begin() const { return breaks_.data(); }
  const Break* end() const { return breaks_.data() + count_; }

 private:
  std::vector<Break> breaks_;
  size_t count_ = 0;
};

}  // namespace headly
