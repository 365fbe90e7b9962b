#include "session/loaded_table.h"

#include "session/line_fields.h"

namespace headly {

LoadedTable::LoadedTable(LineTable lines, int32_t recordCount, int32_t linesWithExtraData)
    : lines_(std::move(lines)),
      recordCount_(recordCount),
      names_(lines_[0], false),
      linesWithExtraData_(linesWithExtraData) {}

int32_t countLinesWithExtraData(const LineTable& lines, int32_t recordCount, int32_t lastItemIndex,
                                ProgressDisplay& display, const WorkSplit& split) {
  WorkProgress progress(display, "データの解析中", recordCount);
  int32_t count = 0;
  runOrderedBlocks<int32_t>(
      1, int64_t(recordCount) + 1, settleSplit(split, lines.bytesPerLine()), [] { return 0; },
      [&](int, int64_t begin, int64_t end, int32_t& found) {
        found = 0;
        for (int64_t r = begin; r < end; ++r)
          if (hasExtraData(lines[size_t(r)], lastItemIndex)) ++found;
      },
      [&](int64_t, int64_t end, int32_t found) {
        count += found;
        progress.stepBlock(end - 1);
      });
  progress.finish();
  return count;
}

}  // namespace headly
