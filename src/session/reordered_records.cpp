#include "session/reordered_records.h"

#include "session/rebuilt_lines.h"

namespace headly {

ReorderedRecords::ReorderedRecords(RebuildOnRead onRead, int32_t recordCount, SjisString header, LongestTexts longest,
                                   std::vector<uint8_t> unchanged)
    : onRead_(std::move(onRead)),
      recordCount_(recordCount),
      header_(std::move(header)),
      names_(header_, true),
      longest_(std::move(longest)),
      unchanged_(std::make_shared<const std::vector<uint8_t>>(std::move(unchanged))) {}

void ReorderedRecords::appendRebuiltLine(int32_t r, LineFields& read, SjisString& out) const {
  const std::string_view line = onRead_.lines[size_t(r)];
  read.cut(line);
  buildRebuiltLine(onRead_.items, line, read, out);
}

RecordCells ReorderedRecords::cells(const RunOptions& options) const {
  const int32_t items = lastItemIndex() + 1;
  CellTable table;
  if (recordCount_ > 0)
    table.resetCutFromLines(recordCount_ + 1, items, rebuiltRowCutter(onRead_, items, options));
  else
    table.reset(1, items);
  names_.writeInto(table);
  // The longest texts were measured for these very items.
  std::vector<int32_t> longest = options.fullWidth ? longest_.inFullWidth : longest_.asTheyAre;
  CellReading reading{[onRead = onRead_, options](int32_t first) { return rebuiltRowCutter(onRead, first, options); },
                               unchanged_, bytesPerLine()};
  return RecordCells(std::move(table), options, std::move(longest), std::move(reading));
}

}  // namespace headly
