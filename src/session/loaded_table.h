// The data file as read: its lines, with the item names cut as the first
// parse cuts them (doubled quotes kept, so that the lines rebuilt from them
// are still valid quoted fields), and how many data lines held data beyond
// the items.
#pragma once

#include <cstdint>

#include "session/item_names.h"
#include "session/line_table.h"
#include "session/ordered_blocks.h"
#include "session/work_progress.h"

namespace headly {

class LoadedTable {
 public:
  // lines: the item names line and recordCount data lines after it.
  LoadedTable(LineTable lines, int32_t recordCount, int32_t linesWithExtraData);
  LoadedTable(LoadedTable&&) = default;
  LoadedTable& operator=(LoadedTable&&) = default;

  const LineTable& lines() const { return lines_; }
  int32_t recordCount() const { return recordCount_; }
  int32_t lastItemIndex() const { return names_.lastItemIndex(); }
  const ItemNames& itemNames() const { return names_; }
  int32_t linesWithExtraData() const { return linesWithExtraData_; }

 private:
  LineTable lines_;
  int32_t recordCount_ = 0;
  ItemNames names_;
  int32_t linesWithExtraData_ = 0;
};

// The number of data lines 1..recordCount of lines whose fields beyond
// items 0..lastItemIndex held data, counted in blocks on the threads of
// split.
int32_t countLinesWithExtraData(const LineTable& lines, int32_t recordCount, int32_t lastItemIndex,
                                ProgressDisplay& display, const WorkSplit& split = {});

}  // namespace headly
