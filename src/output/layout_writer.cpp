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
  BlockWriter(const RecordCells& cells, int32_t levels, TextFiles& files, const SjisString& target) : files_(files) {
    if (cells.options().folderMode) {
      writing_.emplace(std::string());
      names_.emplace(levels, cells.options().numbering, cells.recordCount());
      folders_.emplace(files_, target, levels);
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

void writeLayout(const RecordCells& cells, const Layout& layout, TextFiles& files, const SjisString& target,
                 OutputEncoding encoding, ProgressDisplay& display, const WorkSplit& split) {
  if (!cells.options().folderMode) files.openOutput(target, encoding, 1);
  {
    BlockWriter writer(cells, layout.firstBodyItem(), files, target);
    WorkProgress progress(display, "レイアウトの書き込み中", cells.recordCount());
    layOutRecords(cells, layout, split, false, [&](const LayoutBlock& block, int64_t lastRecord) {
      writer.write(block);
      progress.stepBlock(lastRecord);
    });
    progress.finish();
  }
  // After the writer's guard: a signal that came meanwhile still ends the run.
  files.closeFiles();
}

}  // namespace headly
