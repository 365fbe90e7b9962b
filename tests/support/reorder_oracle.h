// Oracles for the tests of the records: the line table rewritten line by
// line, the reordered records made whole rather than on reading, and the
// cells of lines cut as they stand. The program never holds these; its
// ways must give what they give.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "session/classification.h"
#include "session/line_table.h"
#include "session/loaded_table.h"
#include "session/longest_texts.h"
#include "session/ordered_blocks.h"
#include "session/rebuilt_lines.h"
#include "session/record_cells.h"
#include "session/row_cutting.h"
#include "system/text_files.h"

namespace headly::test {

// Replaces every line i of table by the line that rebuild(i, line, out)
// appends to out (the lines before it in its block may be there), in blocks
// on the threads of split, each thread with its own copy of rebuild;
// taken(last) follows once the lines up to last are in place. Cells that
// share the old lines keep them.
template <class Rebuild, class Taken = void (*)(size_t)>
void rewriteLines(LineTable& table, Rebuild rebuild, const WorkSplit& split = {1, 1}, Taken taken = [](size_t) {}) {
  struct Block {
    std::string bytes;
    std::vector<size_t> ends;
  };
  LineTable rewritten;
  runOrderedBlocks<Block>(
      0, int64_t(table.size()), split, [&] { return rebuild; },
      [&](Rebuild& mine, int64_t begin, int64_t end, Block& block) {
        block.bytes.clear();
        block.ends.clear();
        for (size_t i = size_t(begin); i < size_t(end); ++i) {
          mine(i, table[i], block.bytes);
          block.ends.push_back(block.bytes.size());
        }
      },
      [&](int64_t, int64_t end, const Block& block) {
        size_t from = 0;
        for (const size_t to : block.ends) {
          rewritten.append(std::string_view(block.bytes).substr(from, to - from));
          from = to;
        }
        taken(size_t(end) - 1);
      });
  table = std::move(rewritten);
}

// The rebuilt lines made whole (entry 0 the rebuilt item names line), and
// the longest texts of cutting every rebuilt data line again.
struct WholeRebuild {
  LineTable lines;
  LongestTexts longest;
};

inline WholeRebuild rebuildWhole(const LoadedTable& table, const Classification& classification,
                                 const WorkSplit& split = {1, 1}) {
  const std::vector<int> items = classification.orderedItems();
  int32_t fieldsRead = 0;
  for (const int item : items) fieldsRead = std::max(fieldsRead, item + 1);
  WholeRebuild whole{table.lines(), {}};
  rewriteLines(
      whole.lines,
      [&, read = LineFields(fieldsRead, false)](size_t, std::string_view line, std::string& out) mutable {
        read.cut(line);
        buildRebuiltLine(items, line, read, out);
      },
      split);
  LongestTexts& longest = whole.longest;
  longest.items = countLastItemIndex(whole.lines[0]) + 1;
  longest.asTheyAre.assign(size_t(longest.items), 0);
  longest.inFullWidth = longest.asTheyAre;
  LineFields fields(longest.items, true);
  for (size_t r = 1; r < whole.lines.size(); ++r) measureRebuiltLine(fields, whole.lines[r], longest);
  return whole;
}

// The cells of lines (the item names line and recordCount data lines) cut
// as they stand, with options' collapseQuotes and fullWidth, and the
// longest texts of their data cells.
inline RecordCells plainCells(const LineTable& lines, int32_t recordCount, const RunOptions& options) {
  const ItemNames names(lines[0], options.collapseQuotes);
  const int32_t items = names.lastItemIndex() + 1;
  auto cutter = [lines = lines.shared(), options](int32_t first) -> RowCutter {
    return [lines, fields = LineFields(first, options.collapseQuotes), fullWidth = options.fullWidth](
               int32_t r, CutRow& row) mutable { cutIntoRow(fields, lines[size_t(r)], fullWidth, row); };
  };
  CellTable table;
  if (recordCount > 0)
    table.resetCutFromLines(recordCount + 1, items, cutter(items));
  else
    table.reset(1, items);
  names.writeInto(table);
  std::vector<int32_t> longest(size_t(items), 0);
  const CellReader reader(table);
  for (int32_t r = 1; r <= recordCount; ++r)
    for (int32_t i = 0; i < items; ++i) longest[size_t(i)] = std::max(longest[size_t(i)], int32_t(reader.get(r, i).size()));
  return RecordCells(std::move(table), options, std::move(longest), CellReading{cutter, {}, lines.bytesPerLine()});
}

// Writes every line of lines as it stands to the file at path, as the CSV
// file is written.
inline void writeWholeLines(TextFiles& files, const SjisString& path, OutputEncoding encoding, const LineTable& lines) {
  files.openOutput(path, encoding, 1);
  for (size_t r = 0; r < lines.size(); ++r) files.writeLine(1, lines[r]);
  files.closeFiles();
}

}  // namespace headly::test
