#include "output/heading_name_check.h"

#include <string>

#include "folders/heading_folders.h"
#include "output/heading_breaks.h"
#include "output/heading_names.h"
#include "text/encoding.h"
#include "system/file_system.h"
#include "system/path_text.h"

namespace headly {

namespace {
constexpr size_t kMaxPath = 260;
}  // namespace

NameFault nameFault(const SjisString& name, const SjisString& path) {
  const std::optional<std::string> native = toUtf8Exact(name);
  if (!native || !isPlainName(name)) return NameFault::BadCharacters;
  if (native->size() > kMaxNativeNameBytes) return NameFault::NameTooLong;
  if (path.size() > kMaxPath) return NameFault::PathTooLong;
  return NameFault::None;
}

std::optional<RefusedHeading> findRefusedHeading(const RecordCells& cells, const Layout& layout,
                                                 const SjisString& basePath, ProgressDisplay& display,
                                                 const WorkSplit& split) {
  const int32_t levels = layout.firstBodyItem();
  HeadingNames names(levels, cells.options().numbering, cells.recordCount());
  HeadingPaths paths(basePath, levels);
  WorkProgress progress(display, "見出し名の確認中", cells.recordCount());
  // The breaks are found in blocks on the threads of split, from the heading
  // items alone; their names are checked in order here. A refused name ends
  // the walk.
  struct Refused {};
  std::optional<RefusedHeading> refused;
  try {
    runOrderedBlocks<BreakList>(
        1, int64_t(cells.recordCount()) + 1, settleSplit(split, cells.bytesPerLine()),
        [&] { return cells.reader(levels); },
        [&](const CellReader& headings, int64_t begin, int64_t end, BreakList& found) {
          found.clear();
          HeadingBreaks breaks(headings, true, levels, int32_t(begin), cells.unchangedLeadingItems());
          for (int32_t r = int32_t(begin); r < int32_t(end); ++r)
            for (int32_t i = 0; i < levels; ++i)
              if (breaks.breaksAt(r, i)) found.add(0, i, headings.get(r, i));
        },
        [&](int64_t, int64_t end, const BreakList& found) {
          for (const BreakList::Break& at : found) {
            const SjisString& name = names.nameAtBreak(at.level, at.value);
            const NameFault fault = nameFault(name, paths.pathAt(at.level, name));
            if (fault != NameFault::None) {
              refused = RefusedHeading{at.value, fault};
              throw Refused{};
            }
          }
          progress.stepBlock(end - 1);
        });
  } catch (const Refused&) {
  }
  progress.finish();
  return refused;
}

}  // namespace headly
