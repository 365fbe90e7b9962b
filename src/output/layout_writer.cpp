#include "output/layout_writer.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "folders/heading_folders.h"
#include "output/body_layout.h"
#include "output/heading_breaks.h"
#include "output/heading_lines.h"
#include "output/heading_names.h"
#include "output/line_stats.h"
#include "output/output_line.h"
#include "text/encoding.h"
#include "text/numbers.h"
#include "system/termination.h"
#include "system/text_files.h"

namespace headly {

namespace {

// The output of a block of records: its lines and, in folder mode, the
// heading breaks among them, each before the lines from its offset on.
struct LayoutBlock {
  LineBlock lines;
  BreakList breaks;
};

// Lays out blocks of records on one thread: heading lines (in folder mode,
// the heading breaks) and then the body lines and, in a multi-line layout,
// the separator of every record.
class BlockLayouter {
 public:
  BlockLayouter(const SessionData& state, const SjisString& separator)
      : state_(state), cells_(state.cells), body_(state), separator_(separator) {
    for (int32_t i = 0; i < state_.firstBodyItem; ++i) {
      headingColumn_.push_back(roundToInt(state_.layout[size_t(i)].startColumn));
      headingWidth_.push_back(layoutWidth(state_, i));
    }
    line_.reserve(256);
  }

  void layOut(int32_t begin, int32_t end, LayoutBlock& block) {
    block.lines.clear();
    block.breaks.clear();
    HeadingBreaks breaks(cells_, state_.options.folderMode, state_.firstBodyItem, begin,
                         state_.rebuildOnRead.unchangedLeadingItems);
    for (int32_t r = begin; r < end; ++r) {
      layOutHeadings(breaks, r, block);
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
  std::vector<int32_t> headingColumn_, headingWidth_;
  SjisString line_;  // lineBuffer
};

// Takes the blocks in order on the calling thread: their lines go to the
// layout file or, in folder mode, to the heading files that their breaks
// open. Folder mode writes from start to end under one guard, so that a
// termination signal between two heading files ends the run through the
// error report too, with every heading file complete.
class BlockWriter {
 public:
  BlockWriter(const SessionData& state, TextFiles& files, const SjisString& target) : files_(files) {
    if (state.options.folderMode) {
      writing_.emplace(std::string());
      names_.emplace(state.firstBodyItem, state.options.numbering, state.recordCount);
      folders_.emplace(files_, target, state.firstBodyItem);
    }
  }

  void write(const LayoutBlock& block) {
    const std::string_view lines = block.lines.lines();
    size_t written = 0;
    for (const BreakList::Break& at : block.breaks) {
      writeLines(lines.substr(written, at.offset - written));
      written = at.offset;
      folders_->enterHeading(at.level, names_->nameAtBreak(at.level, at.value));
    }
    writeLines(lines.substr(written));
  }

 private:
  void writeLines(std::string_view lines) {
    if (!lines.empty()) files_.writeLines(1, lines);
  }

  TextFiles& files_;
  std::optional<WritingGuard> writing_;
  std::optional<HeadingNames> names_;
  std::optional<HeadingFolders> folders_;
};

}  // namespace

void writeLayout(const SessionData& session, TextFiles& files, const SjisString& target, OutputEncoding encoding,
                 ProgressDisplay& display, const WorkSplit& split) {
  const SjisString separator = BodyLayout(session).multiLineLayout() ? separatorLine(session) : SjisString();
  if (!session.options.folderMode) files.openOutput(target, encoding, 1);
  {
    BlockWriter writer(session, files, target);
    WorkProgress progress(display, "レイアウトの書き込み中", session.recordCount);
    runOrderedBlocks<LayoutBlock>(
        1, int64_t(session.recordCount) + 1, settleSplit(split, session.recordLines.bytesPerLine()),
        [&] { return std::make_unique<BlockLayouter>(session, separator); },
        [](std::unique_ptr<BlockLayouter>& layouter, int64_t begin, int64_t end, LayoutBlock& block) {
          layouter->layOut(int32_t(begin), int32_t(end), block);
        },
        [&](int64_t, int64_t end, const LayoutBlock& block) {
          writer.write(block);
          progress.stepBlock(end - 1);
        });
    progress.finish();
  }
  // After the writer's guard: a signal that came meanwhile still ends the run.
  files.closeFiles();
}

}  // namespace headly
