#include "output/layout_writer.h"

#include <optional>
#include <string_view>
#include <vector>

#include "app/work_progress.h"
#include "folders/folder_dialog.h"
#include "folders/heading_folders.h"
#include "output/body_layout.h"
#include "output/heading_lines.h"
#include "output/heading_names.h"
#include "output/line_stats.h"
#include "output/output_line.h"
#include "text/encoding.h"
#include "text/numbers.h"
#include "text/text_files.h"
#include "ui/toolkit.h"

namespace headly {

namespace {

// File mode: the save dialog for the layout file. An existing file of the
// chosen name is deleted, since the output file is always created new.
void chooseLayoutFile(Program& program) {
  AppState& state = program.state;
  state.selectedPath = program.ui.saveFileDialog(sjis("データファイルの書き込み"), state.workFolder + "HEADLY.TXT",
                                                 sjis("ﾃｷｽﾄ形式(*.TXT)"));
  if (!isEscMarker(state.selectedPath) && program.files.regularFileExists(state.selectedPath))
    program.files.deleteFile(state.selectedPath);
}

// Writes every record once the output target is open: heading lines (or, in
// folder mode, heading folders and files) at heading breaks, then the body
// lines and, in a multi-line layout, the separator.
class RecordWriter {
 public:
  RecordWriter(Program& program, bool folderMode, BodyLayout& body, const SjisString& separator)
      : program_(program),
        state_(program.state),
        files_(program.files),
        folderMode_(folderMode),
        body_(body),
        separator_(separator) {
    for (int32_t i = 0; i < state_.firstBodyItem; ++i) {
      headingColumn_.push_back(roundToInt(state_.layout[size_t(i)].startColumn));
      headingWidth_.push_back(layoutWidth(state_, i));
    }
    if (folderMode_) {
      names_.emplace(state_.firstBodyItem, program.ui.getCheck("CHECK5") == 1, state_.recordCount);
      folders_.emplace(files_, state_.selectedPath, state_.firstBodyItem);
    }
    line_.reserve(256);
  }

  void writeAll() {
    WorkProgress progress(program_.ui, "レイアウトの書き込み中");
    for (int32_t r = 1; r <= state_.recordCount; ++r) {
      writeHeadings(r);
      writeBody(r);
      progress.step(r);
    }
    progress.finish();
  }

 private:
  // A heading is written when its value differs from the record before (the
  // item names for the first record) or when a heading above it was just
  // written. In folder mode the first record always breaks at level 0, so
  // every level gets its folder and its number.
  void writeHeadings(int32_t r) {
    const CellTable& cells = state_.cells;
    for (int32_t i = 0; i < state_.firstBodyItem; ++i) {
      const std::string_view value = cells.get(r, i);
      const bool firstFolder = folderMode_ && r == 1 && i == 0;
      if (!firstFolder && i <= lastHeadingLevel_ && value == cells.get(r - 1, i)) continue;
      lastHeadingLevel_ = i;
      if (folderMode_)
        folders_->enterHeading(i, names_->nameAtBreak(i, value));
      else
        writeHeadingLines(files_, line_, value, headingColumn_[size_t(i)], headingWidth_[size_t(i)], state_.fullWidth != 0);
    }
  }

  void writeBody(int32_t r) {
    const bool fullWidth = state_.fullWidth != 0;
    const int32_t lines = body_.layOutRecord(state_.cells, r);
    for (int32_t n = 0; n < lines; ++n) {
      body_.appendLine(n, line_);
      writeOutputLine(files_, line_, fullWidth);
    }
    if (body_.multiLineLayout()) {
      line_.assign(separator_);
      writeOutputLine(files_, line_, fullWidth);
    }
  }

  Program& program_;
  AppState& state_;
  TextFiles& files_;
  const bool folderMode_;
  BodyLayout& body_;
  const SjisString& separator_;
  std::vector<int32_t> headingColumn_, headingWidth_;
  std::optional<HeadingNames> names_;
  std::optional<HeadingFolders> folders_;
  int32_t lastHeadingLevel_ = 0;
  SjisString line_;  // lineBuffer
};

}  // namespace

void runWriter(Program& program) {
  AppState& state = program.state;
  const bool folderMode = program.ui.getCheck("CHECK3") == 1;
  BodyLayout body(state);
  const SjisString separator = body.multiLineLayout() ? separatorLine(state) : SjisString();

  if (folderMode)
    runFolderDialog(program);
  else
    chooseLayoutFile(program);
  if (isEscMarker(state.selectedPath)) return;
  if (!folderMode) program.files.openFile(state.selectedPath, FileMode::Output, 1);

  RecordWriter(program, folderMode, body, separator).writeAll();
  program.files.closeFiles();
}

}  // namespace headly
