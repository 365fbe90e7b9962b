// The item names of a header line as the field parser cuts them: an empty
// field shows as "（空白）"; a header whose quoted fields hold commas has
// more items than fields, the last of them named empty.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "session/cell_table.h"
#include "text/sjis_string.h"

namespace headly {

// The name shown for an item whose header field is empty.
inline constexpr char kBlankItemName[] = "（空白）";

class ItemNames {
 public:
  ItemNames() = default;
  // collapseQuotes: a doubled quote in a quoted name becomes one quote.
  ItemNames(std::string_view header, bool collapseQuotes);

  // Items 0..lastItemIndex(): as many as the header has commas, and one.
  int32_t lastItemIndex() const { return int32_t(names_.size()) - 1; }
  std::string_view name(int32_t i) const { return names_[size_t(i)]; }
  bool quoted(int32_t i) const { return quoted_[size_t(i)] != 0; }
  // Whether the item's field was empty (and is shown as "（空白）").
  const std::vector<uint8_t>& blanks() const { return blank_; }

  // Sets row 0 of cells, which has an entry for every item, to the names.
  void writeInto(CellTable& cells) const;

 private:
  std::vector<SjisString> names_;
  std::vector<uint8_t> quoted_, blank_;
};

}  // namespace headly
