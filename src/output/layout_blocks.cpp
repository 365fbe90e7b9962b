#include "output/layout_blocks.h"

#include <memory>
#include <string_view>

#include "output/body_layout.h"
#include "output/heading_lines.h"
#include "output/line_stats.h"
#include "output/output_line.h"
#include "text/numbers.h"
#include "system/text_files.h"

namespace headly {

namespace {

// Lays out blocks of records on one thread: heading lines (in folder mode,
// the heading breaks) and then the body lines and, in a multi-line layout,
// the separator of every record.
class BlockLayouter {
 public:
  BlockLayouter(const RecordCells& cells, const Layout& layout, const SjisString& separator, bool marked)
      : records_(cells),
        options_(cells.options()),
        firstBodyItem_(layout.firstBodyItem()),
        cells_(cells.reader()),
        body_(layout, options_.fullWidth),
        separator_(separator),
        marked_(marked) {
    for (int32_t i = 0; i < firstBodyItem_; ++i) {
      headingColumn_.push_back(roundToInt(layout.item(i).startColumn));
      headingWidth_.push_back(layoutWidth(layout, i));
    }
    line_.reserve(256);
  }

  void layOut(int32_t begin, int32_t end, LayoutBlock& block) {
    block.lines.clear();
    block.breaks.clear();
    block.marks.clear();
    HeadingBreaks breaks(cells_, options_.folderMode, firstBodyItem_, begin, records_.unchangedLeadingItems());
    for (int32_t r = begin; r < end; ++r) {
      layOutHeadings(breaks, r, block);
      if (marked_) block.marks.push_back({block.lines.size(), kRecordLines});
      layOutBody(r, block.lines);
    }
  }

 private:
  void layOutHeadings(HeadingBreaks& breaks, int32_t r, LayoutBlock& block) {
    for (int32_t i = 0; i < firstBodyItem_; ++i) {
      if (!breaks.breaksAt(r, i)) continue;
      const std::string_view value = cells_.get(r, i);
      if (options_.folderMode) {
        block.breaks.add(block.lines.size(), i, value);
      } else {
        if (marked_) block.marks.push_back({block.lines.size(), i});
        appendHeadingLines(block.lines, line_, value, headingColumn_[size_t(i)], headingWidth_[size_t(i)],
                           options_.fullWidth);
      }
    }
  }

  // The body lines and the separator come with their blanks paired.
  void layOutBody(int32_t r, LineBlock& lines) {
    if (body_.writesSingleLines()) {
      body_.appendSingleLine(cells_, r, lines);
      lines.append(kLineEnd);
      return;
    }
    const int32_t count = body_.layOutRecord(cells_, r);
    for (int32_t n = 0; n < count; ++n) {
      body_.appendLine(n, lines);
      lines.append(kLineEnd);
    }
    if (body_.multiLineLayout()) {
      lines.append(separator_);
      lines.append(kLineEnd);
    }
  }

  const RecordCells& records_;
  const RunOptions options_;
  const int32_t firstBodyItem_;
  CellReader cells_;
  BodyLayout body_;
  const SjisString& separator_;
  const bool marked_;
  std::vector<int32_t> headingColumn_, headingWidth_;
  SjisString line_;  // lineBuffer
};

}  // namespace

void layOutRecords(const RecordCells& cells, const Layout& layout, const WorkSplit& split, bool marked,
                   const std::function<void(const LayoutBlock&, int64_t lastRecord)>& take) {
  const bool fullWidth = cells.options().fullWidth;
  const SjisString separator =
      BodyLayout(layout, fullWidth).multiLineLayout() ? separatorLine(layout, fullWidth) : SjisString();
  runOrderedBlocks<LayoutBlock>(
      1, int64_t(cells.recordCount()) + 1, settleSplit(split, cells.bytesPerLine()),
      [&] { return std::make_unique<BlockLayouter>(cells, layout, separator, marked); },
      [](std::unique_ptr<BlockLayouter>& layouter, int64_t begin, int64_t end, LayoutBlock& block) {
        layouter->layOut(int32_t(begin), int32_t(end), block);
      },
      [&](int64_t, int64_t end, const LayoutBlock& block) { take(block, end - 1); });
}

}  // namespace headly
