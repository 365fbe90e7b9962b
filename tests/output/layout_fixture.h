// Layouts for the writer's tests, set up the way the layout dialogs leave
// them: records parsed into cells, itemMaxLength from the data, and per item
// the indents, columns, widths and delimiters that the dialogs store.
#pragma once

#include <algorithm>
#include <list>
#include <string>
#include <vector>

#include "session/cell_table.h"
#include "session/layout.h"
#include "session/record_cells.h"
#include "text/encoding.h"

namespace headly::test {

// What the stages before the writer leave, as a test sets it up.
struct LayoutState {
  int32_t recordCount = 0;
  int32_t lastItemIndex = 0;
  int headingCount = 0;
  CellTable cells;
  RunOptions options;
  int fullWidth = 0;
  // Layout settings: one entry per item plus the extra startColumn entry.
  std::vector<ItemLayout> layout;
  std::vector<int32_t> itemMaxLength;
  int firstBodyItem = 0;
  float lineWidth = 0;

  // The cells with the options (full width among them) as the writer reads them.
  RecordCells records() const {
    RunOptions final = options;
    final.fullWidth = fullWidth != 0;
    final.collapseQuotes = true;
    return RecordCells(cells, final, itemMaxLength);
  }
  LayoutSettings settings() const { return LayoutSettings{layout, itemMaxLength, firstBodyItem, lineWidth}; }
};

class LayoutFixture {
 public:
  // rows[0] holds the item names; texts are UTF-8 and become Shift-JIS.
  // The first `headings` items are heading items.
  LayoutFixture(const std::vector<std::vector<std::string>>& rows, int headings, bool fullWidth = false) {
    const int items = int(rows[0].size());
    state.lastItemIndex = items - 1;
    state.recordCount = int(rows.size()) - 1;
    state.headingCount = headings;
    state.firstBodyItem = headings;
    state.fullWidth = fullWidth ? 1 : 0;
    state.cells.reset(state.recordCount + 1, items);
    state.itemMaxLength.assign(size_t(items), 0);
    for (int r = 0; r <= state.recordCount; ++r) {
      for (int i = 0; i < items; ++i) {
        const SjisString value = sjis(rows[size_t(r)][size_t(i)]);
        state.cells.set(r, i, value);
        if (r > 0) state.itemMaxLength[size_t(i)] = std::max(state.itemMaxLength[size_t(i)], byteLength(value));
      }
    }
    state.layout.assign(size_t(items) + 1, ItemLayout{});
    for (int i = 0; i < items; ++i) {
      state.layout[size_t(i)].charsPerLine = float(state.itemMaxLength[size_t(i)]);
      state.layout[size_t(i)].valueMaxLength = float(state.itemMaxLength[size_t(i)]);
    }
  }

  ItemLayout& item(int i) { return state.layout[size_t(i)]; }

  // A heading item set on FORM4.
  void setHeading(int i, float indent) {
    item(i).indent = indent;
    item(i).startColumn = indent;
  }

  // The first body item set on FORM4; charsPerLine < 0 keeps the proposal.
  void setFirstBody(float indent, float charsPerLine = -1) {
    const int n = state.firstBodyItem;
    if (charsPerLine >= 0) item(n).charsPerLine = charsPerLine;
    item(n).indent = indent;
    item(n).startColumn = indent;
    item(n).joinPrevious = -1;
    state.lineWidth = indent + item(n).charsPerLine;
    item(n + 1).startColumn = item(n).startColumn + item(n).charsPerLine;
  }

  // A later body item set on FORM2, in item order; charsPerLine < 0 keeps
  // the value the dialog had (without full width: the longest text with
  // its delimiters).
  void setBody(int i, float indent, const std::string& before, const std::string& after, bool joined,
               float charsPerLine = -1) {
    ItemLayout& layout = item(i);
    layout.delimiterBefore = sjis(before);
    layout.delimiterAfter = sjis(after);
    state.itemMaxLength[size_t(i)] =
        byteLength(layout.delimiterBefore) + int(layout.valueMaxLength) + byteLength(layout.delimiterAfter);
    if (charsPerLine >= 0)
      layout.charsPerLine = charsPerLine;
    else if (!state.fullWidth)
      layout.charsPerLine = float(state.itemMaxLength[size_t(i)]);
    layout.indent = indent;
    layout.joinPrevious = joined ? -1 : 0;
    state.lineWidth = layout.startColumn + indent + layout.charsPerLine;
    item(i + 1).startColumn = layout.startColumn + indent + layout.charsPerLine;
  }

  // The products of the state as it stands; each stays valid with the fixture.
  const RecordCells& records() { return records_.emplace_back(state.records()); }
  const Layout& layout() { return layouts_.emplace_back(state.settings()); }
  bool fullWidth() const { return state.fullWidth != 0; }

  LayoutState state;

 private:
  std::list<RecordCells> records_;
  std::list<Layout> layouts_;
};

}  // namespace headly::test
