#include "output/layout_writer.h"

#include <optional>
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
#include "text/text_files.h"

namespace headly {

namespace {

// Writes every record once the output target is open: heading lines (or, in
// folder mode, heading folders and files) at heading breaks, then the body
// lines and, in a multi-line layout, the separator.
class RecordWriter {
 public:
  RecordWriter(const SessionData& state, TextFiles& files, const SjisString& target, BodyLayout& body,
               const SjisString& separator)
      : state_(state),
        files_(files),
        folderMode_(state.options.folderMode),
        body_(body),
        separator_(separator) {
    for (int32_t i = 0; i < state_.firstBodyItem; ++i) {
      headingColumn_.push_back(roundToInt(state_.layout[size_t(i)].startColumn));
      headingWidth_.push_back(layoutWidth(state_, i));
    }
    if (folderMode_) {
      names_.emplace(state_.firstBodyItem, state_.options.numbering, state_.recordCount);
      folders_.emplace(files_, target, state_.firstBodyItem);
    }
    line_.reserve(256);
  }

  void writeAll(ProgressDisplay& display) {
    WorkProgress progress(display, "レイアウトの書き込み中", state_.recordCount);
    for (int32_t r = 1; r <= state_.recordCount; ++r) {
      writeHeadings(r);
      writeBody(r);
      progress.step(r);
    }
    progress.finish();
  }

 private:
  void writeHeadings(int32_t r) {
    for (int32_t i = 0; i < state_.firstBodyItem; ++i) {
      if (!breaks_.breaksAt(r, i)) continue;
      const std::string_view value = state_.cells.get(r, i);
      if (folderMode_)
        folders_->enterHeading(i, names_->nameAtBreak(i, value));
      else
        writeHeadingLines(files_, line_, value, headingColumn_[size_t(i)], headingWidth_[size_t(i)], state_.fullWidth != 0);
    }
  }

  // The body lines and the separator come with their blanks paired.
  void writeBody(int32_t r) {
    const int32_t lines = body_.layOutRecord(state_.cells, r);
    for (int32_t n = 0; n < lines; ++n) {
      body_.fillLine(n, line_);
      writeOutputLine(files_, line_, false);
    }
    if (body_.multiLineLayout()) {
      line_.assign(separator_);
      writeOutputLine(files_, line_, false);
    }
  }

  const SessionData& state_;
  TextFiles& files_;
  const bool folderMode_;
  BodyLayout& body_;
  const SjisString& separator_;
  std::vector<int32_t> headingColumn_, headingWidth_;
  std::optional<HeadingNames> names_;
  std::optional<HeadingFolders> folders_;
  HeadingBreaks breaks_{state_.cells, folderMode_};
  SjisString line_;  // lineBuffer
};

}  // namespace

void writeLayout(const SessionData& session, TextFiles& files, const SjisString& target, OutputEncoding encoding,
                 ProgressDisplay& display) {
  BodyLayout body(session);
  const SjisString separator = body.multiLineLayout() ? separatorLine(session) : SjisString();
  if (!session.options.folderMode) files.openOutput(target, encoding, 1);
  RecordWriter(session, files, target, body, separator).writeAll(display);
  files.closeFiles();
}

}  // namespace headly
