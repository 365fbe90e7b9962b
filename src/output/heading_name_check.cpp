#include "output/heading_name_check.h"

#include <string>

#include "folders/heading_folders.h"
#include "output/heading_breaks.h"
#include "output/heading_names.h"
#include "text/encoding.h"
#include "text/file_system.h"
#include "text/path_text.h"

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

std::optional<RefusedHeading> findRefusedHeading(const SessionData& state, const SjisString& basePath,
                                                 ProgressDisplay& display) {
  const CellReader cells(state.cells);
  HeadingBreaks breaks(cells, true, state.firstBodyItem);
  HeadingNames names(state.firstBodyItem, state.options.numbering, state.recordCount);
  HeadingPaths paths(basePath, state.firstBodyItem);
  WorkProgress progress(display, "見出し名の確認中", state.recordCount);
  for (int32_t r = 1; r <= state.recordCount; ++r) {
    for (int32_t i = 0; i < state.firstBodyItem; ++i) {
      if (!breaks.breaksAt(r, i)) continue;
      const std::string_view value = cells.get(r, i);
      const SjisString& name = names.nameAtBreak(i, value);
      const NameFault fault = nameFault(name, paths.pathAt(i, name));
      if (fault != NameFault::None) {
        progress.finish();
        return RefusedHeading{SjisString(value), fault};
      }
    }
    progress.step(r);
  }
  progress.finish();
  return std::nullopt;
}

}  // namespace headly
