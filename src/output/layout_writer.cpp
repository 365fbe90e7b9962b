#include "output/layout_writer.h"

#include <optional>
#include <string>
#include <string_view>

#include "folders/heading_folders.h"
#include "output/heading_names.h"
#include "output/layout_blocks.h"
#include "system/termination.h"
#include "system/text_files.h"

namespace headly {

namespace {

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
  if (!session.options.folderMode) files.openOutput(target, encoding, 1);
  {
    BlockWriter writer(session, files, target);
    WorkProgress progress(display, "レイアウトの書き込み中", session.recordCount);
    layOutRecords(session, split, false, [&](const LayoutBlock& block, int64_t lastRecord) {
      writer.write(block);
      progress.stepBlock(lastRecord);
    });
    progress.finish();
  }
  // After the writer's guard: a signal that came meanwhile still ends the run.
  files.closeFiles();
}

}  // namespace headly
