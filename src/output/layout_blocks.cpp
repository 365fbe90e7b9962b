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
  BlockLayouter(const SessionData& state, const SjisString& separator, bool marked)
      : state_(state), cells_(state.cells), body_(state), separator_(separator), marked_(marked) {
    for (int32_t i = 0; i < state_.firstBodyItem; ++i) {
      headingColumn_.push_back(roundToInt(state_.layout[size_t(i)].startColumn));
      headingWidth_.push_back(layoutWidth(state_, i));
    }
    line_.reserve(256);
  }

  void layOut(int32_t begin, int32_t end, LayoutBlock& block) {
    block.lines.clear();
    block.breaks.clear();
    block.marks.clear();
    HeadingBreaks breaks(cells_, state_.options.folderMode, state_.firstBodyItem, begin,
                         state_.rebuildOnRead.unchangedLeadingItems);
    for (int32_t r = begin; r < end; ++r) {
      layOutHeadings(breaks, r, block);
      if (marked_) block.marks.push_back({block.lines.size(), kRecordLines});
      layOutBody(r, block.lines);
    }
  }

 private:
  void layOutHeadings(HeadingBreaks& breaks, int32_t r, LayoutBlock& block) {
    for (int32_t i = 0; i < state_.firstBodyItem; ++i) {
      if (!breaks.breaksAt(r, i)) continue;
      const std::string_view value = cells_.get(r, i);
      if (state_.options.folderMode) {
        block.breaks.add(block.lines.size(), i, value);
      } else {
        if (marked_) block.marks.push_back({block.lines.size(), i});
        appendHeadingLines(block.lines, line_, value, headingColumn_[size_t(i)], headingWidth_[size_t(i)],
                           state_.fullWidth != 0);
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

  const SessionData& state_;
  CellReader cells_;
  BodyLayout body_;
  const SjisString& separator_;
  const bool marked_;
  std::vector<int32_t> headingColumn_, headingWidth_;
  SjisString line_;  // lineBuffer
};

}  // namespace

void layOutRecords(const SessionData& session, const WorkSplit& split, bool marked,
                   const std::function<void(const LayoutBlock&, int64_t lastRecord)>& take) {
  const SjisString separator = BodyLayout(session).multiLineLayout() ? separatorLine(session) : SjisString();
  runOrderedBlocks<LayoutBlock>(
      1, int64_t(session.recordCount) + 1, settleSplit(split, session.recordLines.bytesPerLine()),
      [&] { return std::make_unique<BlockLayouter>(session, separator, marked); },
      [](std::unique_ptr<BlockLayouter>& layouter, int64_t begin, int64_t end, LayoutBlock& block) {
        layouter->layOut(int32_t(begin), int32_t(end), block);
      },
      [&](int64_t, int64_t end, const LayoutBlock& block) { take(block, end - 1); });
}

}  // namespace headly
