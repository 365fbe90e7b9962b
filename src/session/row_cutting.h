// Cutting a record line into the row of its cells: a text that stands in
// the line stays there; one whose quotes were reworked, or that is
// converted to full width, goes to the row's bytes.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "session/cell_table.h"
#include "session/line_fields.h"
#include "session/line_table.h"
#include "session/run_options.h"

namespace headly {

// Cuts line with fields into row, converting to full width when fullWidth.
void cutIntoRow(LineFields& fields, std::string_view line, bool fullWidth, CutRow& row);

// What the rebuilt line of a data record is made from when its cells are
// read: the lines read, the items the rebuilt lines keep in their order,
// and the fields of a line read up to the last of them.
struct RebuildOnRead {
  LineTable::Shared lines;
  std::vector<int> items;
  int32_t fieldsRead = 0;
};

// Cuts the first items items of a data record's rebuilt line, made from its
// line read, as options ask (doubled quotes collapsed, full width).
RowCutter rebuiltRowCutter(const RebuildOnRead& onRead, int32_t items, const RunOptions& options);

}  // namespace headly
