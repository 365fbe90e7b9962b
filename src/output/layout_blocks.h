// The layout's lines, made a block of records at a time on the threads of a
// split and handed on in the records' order: the text writer writes them,
// the PDF writer puts them on pages.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "output/heading_breaks.h"
#include "output/line_block.h"
#include "session/ordered_blocks.h"
#include "session/layout.h"
#include "session/record_cells.h"

namespace headly {

// Where a part of a record's lines begins in its block: the heading lines of
// a level, or the record's own lines (kRecordLines).
struct LayoutMark {
  size_t offset = 0;
  int32_t level = 0;
};
inline constexpr int32_t kRecordLines = -1;

// The output of a block of records: its lines and, in folder mode, the
// heading breaks among them, each before the lines from its offset on; in
// file mode, when asked for, the marks of its parts.
struct LayoutBlock {
  LineBlock lines;
  BreakList breaks;
  std::vector<LayoutMark> marks;
};

// Lays out every record of cells by layout, in blocks on the threads of
// split, and gives the blocks in order to take with the number of their last
// record.
void layOutRecords(const RecordCells& cells, const Layout& layout, const WorkSplit& split, bool marked,
                   const std::function<void(const LayoutBlock&, int64_t lastRecord)>& take);

}  // namespace headly
