// The cells of the records as the layout, the check of the heading names
// and the preview read them, with the run's final options (full width among
// them): row 0 the item names, the data records cut from their lines when
// they are read, and every item's longest text.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "session/cell_table.h"
#include "session/run_options.h"
#include "text/sjis_string.h"

namespace headly {

// How the data records are read when they are cut from their lines: a
// cutter of the first items only, for every record how many of its
// leading items hold the cells of the record before (none when not
// known), and the bytes of a line on average.
struct CellReading {
  std::function<RowCutter(int32_t items)> firstItems;
  std::shared_ptr<const std::vector<uint8_t>> unchanged;
  double bytesPerLine = 0;
};

class RecordCells {
 public:
  // table: a row for every record and an entry for every item; its data
  // rows are held or cut by its cutter. longest: every item's longest text.
  RecordCells(CellTable table, RunOptions options, std::vector<int32_t> longest, CellReading reading = {})
      : table_(std::move(table)), options_(options), longest_(std::move(longest)), reading_(std::move(reading)) {}

  int32_t recordCount() const { return table_.rows() - 1; }
  int32_t lastItemIndex() const { return table_.items() - 1; }
  const RunOptions& options() const { return options_; }
  SjisString itemName(int32_t i) const { return SjisString(table_.get(0, i)); }
  const std::vector<int32_t>& longest() const { return longest_; }

  // A reader of every item, and one of the first items items only, for one
  // thread each.
  CellReader reader() const { return CellReader(table_); }
  CellReader reader(int32_t items) const {
    return reading_.firstItems ? CellReader(table_, reading_.firstItems(items)) : CellReader(table_);
  }
  std::span<const uint8_t> unchangedLeadingItems() const {
    return reading_.unchanged ? std::span<const uint8_t>(*reading_.unchanged) : std::span<const uint8_t>();
  }
  double bytesPerLine() const { return reading_.bytesPerLine; }

 private:
  CellTable table_;
  RunOptions options_;
  std::vector<int32_t> longest_;
  CellReading reading_;
};

}  // namespace headly
