// The data of a session that the output is made from: the record lines and
// their cells, the classification, the run options and every item's layout.
// Counts, indices and positions are integers.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "session/item_layout.h"
#include "session/record_tables.h"
#include "session/run_options.h"
#include "text/sjis_string.h"

namespace headly {

// The longest text of every item of the second parse, as they are and in
// full width, measured on the rebuilt lines while they are made, so that the
// second parse need not cut them again; items 0 when not measured.
struct LongestTexts {
  int32_t items = 0;
  std::vector<int32_t> asTheyAre, inFullWidth;
};

// The rebuilt record lines while recordLines still holds the lines read:
// each is made from its line read when its cells are read. The items they
// keep in their order, the fields of the lines read up to the last of them,
// and the rebuilt item names line. For every data record, how many of its
// leading items hold the same cells as in the record before (at most 255;
// 0 where unknown), so that heading breaks need not cut every record.
struct RebuildOnRead {
  bool active = false;
  std::vector<int> items;
  int32_t fieldsRead = 0;
  SjisString header;
  std::vector<uint8_t> unchangedLeadingItems;
};

struct SessionData {
  LineTable recordLines;
  int32_t recordCount = 0;
  int32_t lastItemIndex = 0;

  // The first parse fills row 0 (the item names) only; after the second
  // parse every record of the rebuilt lines is cut when its cells are read.
  CellTable cells;
  std::vector<int32_t> itemMaxLength;
  LongestTexts rebuiltLongest;
  RebuildOnRead rebuildOnRead;
  // The item names line of the lines that the cells are cut from.
  std::string_view headerLine() const {
    return rebuildOnRead.active ? std::string_view(rebuildOnRead.header) : recordLines[0];
  }
  std::vector<uint8_t> blankItemName;
  // Whether the field of item i in record r was quoted.
  bool quoted(int32_t r, int32_t i) const { return cells.quoted(r, i); }

  // The classification: item numbers in list order, -1 after the last.
  std::vector<int> headingOrder, otherOrder;
  int headingCount = 0, otherCount = 0;
  RunOptions options;

  int collapseQuotes = 0;
  int fullWidth = 0;

  // Layout settings: one entry per item plus the extra startColumn entry.
  std::vector<ItemLayout> layout;
  int firstBodyItem = 0;
  float lineWidth = 0;
};

}  // namespace headly
