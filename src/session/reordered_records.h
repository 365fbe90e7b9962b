// The records reordered from the classified items: the heading items in
// heading order and then the other items in their order. The rebuilt lines
// are never held whole; a record's rebuilt line is made from its line read
// when its cells or the CSV file need it. The reorder pass that makes them
// measures the longest text of every item and, for every data record, how
// many of its leading items hold the cells of the record before.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "session/item_names.h"
#include "session/line_fields.h"
#include "session/longest_texts.h"
#include "session/record_cells.h"
#include "session/row_cutting.h"
#include "session/run_options.h"
#include "text/sjis_string.h"

namespace headly {

class ReorderedRecords {
 public:
  // header: the rebuilt item names line; unchanged: for every record
  // (entry 0 for the names), how many of its leading items hold the same
  // cells as in the record before (at most 255; 0 where unknown).
  ReorderedRecords(RebuildOnRead onRead, int32_t recordCount, SjisString header, LongestTexts longest,
                   std::vector<uint8_t> unchanged);

  int32_t recordCount() const { return recordCount_; }
  // The item names line of the rebuilt lines, and its names as the second
  // parse cuts them (doubled quotes collapsed).
  std::string_view header() const { return header_; }
  const ItemNames& itemNames() const { return names_; }
  int32_t lastItemIndex() const { return names_.lastItemIndex(); }
  // The longest texts of the rebuilt data lines as the second parse cuts them.
  const LongestTexts& longest() const { return longest_; }
  std::span<const uint8_t> unchangedLeadingItems() const { return *unchanged_; }
  double bytesPerLine() const { return onRead_.lines.bytesPerLine(); }

  // Appends the rebuilt line of data record r to out; read is a reader of
  // lineReader() of the calling thread.
  LineFields lineReader() const { return LineFields(onRead_.fieldsRead, false); }
  void appendRebuiltLine(int32_t r, LineFields& read, SjisString& out) const;

  // The cells as options (the final ones, with full width) have them read.
  RecordCells cells(const RunOptions& options) const;

 private:
  RebuildOnRead onRead_;
  int32_t recordCount_ = 0;
  SjisString header_;
  ItemNames names_;
  LongestTexts longest_;
  std::shared_ptr<const std::vector<uint8_t>> unchanged_;
};

}  // namespace headly
