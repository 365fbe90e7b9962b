// The field parser over whole record tables, for the tests and the fuzzer:
// every line cut as it stands, as the first parse (doubled quotes kept) or
// the second parse (collapsed, optionally full width) cuts it, into the
// cells of its row, and the longest value of every item.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "session/cell_table.h"
#include "session/item_names.h"
#include "session/line_fields.h"
#include "session/line_table.h"
#include "session/row_cutting.h"
#include "text/full_width.h"

namespace headly::test {

struct ParsedLines {
  LineTable recordLines;
  int32_t recordCount = 0;
  int32_t lastItemIndex = 0;
  // Row 0 the item names; the data rows cut from recordLines when read.
  CellTable cells;
  std::vector<int32_t> itemMaxLength;
  std::vector<uint8_t> blankItemName;
  // Per line: fields beyond the items held data.
  std::vector<bool> extraData;
  bool quoted(int32_t r, int32_t i) const { return cells.quoted(r, i); }
};

// Cuts a data line into fields and raises longest[f] to the length of each
// field's text (its full-width form when fullWidth); true when a field
// beyond the items held data.
inline bool measureLine(LineFields& fields, std::string_view line, bool fullWidth, std::vector<int32_t>& longest) {
  fields.cut(line);
  for (int32_t f = 0; f < fields.count(); ++f) {
    const std::string_view text = fields.text(f);
    const size_t length = fullWidth && !isFullWidth(text) ? fullWidthLength(text) : text.size();
    longest[size_t(f)] = std::max(longest[size_t(f)], int32_t(length));
  }
  return fields.extraData();
}

inline ParsedLines parseLines(const std::vector<std::string_view>& lines, bool collapseQuotes, bool fullWidth) {
  ParsedLines p;
  for (const std::string_view line : lines) p.recordLines.append(line);
  p.recordCount = int32_t(lines.size()) - 1;
  const ItemNames names(p.recordLines[0], collapseQuotes);
  p.lastItemIndex = names.lastItemIndex();
  const int32_t items = p.lastItemIndex + 1;
  if (p.recordCount > 0) {
    p.cells.resetCutFromLines(p.recordCount + 1, items,
                              [lines = p.recordLines.shared(), fields = LineFields(items, collapseQuotes),
                               fullWidth](int32_t r, CutRow& row) mutable {
                                cutIntoRow(fields, lines[size_t(r)], fullWidth, row);
                              });
  } else {
    p.cells.reset(1, items);
  }
  names.writeInto(p.cells);
  p.blankItemName = names.blanks();
  p.itemMaxLength.assign(size_t(items), 0);
  LineFields fields(items, collapseQuotes);
  fields.cut(p.recordLines[0]);
  p.extraData.push_back(fields.extraData());
  for (int32_t r = 1; r <= p.recordCount; ++r)
    p.extraData.push_back(measureLine(fields, p.recordLines[size_t(r)], fullWidth, p.itemMaxLength));
  return p;
}

}  // namespace headly::test
