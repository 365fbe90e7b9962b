// Folder mode: every heading folder and file name of the output, met in the
// order the writer meets them, is checked before the first heading folder is
// made, so that a name the file system would refuse stops the run before
// half a tree is written.
#pragma once

#include <optional>
#include <string_view>

#include "session/ordered_blocks.h"
#include "session/layout.h"
#include "session/record_cells.h"
#include "session/work_progress.h"

namespace headly {

enum class NameFault { None, BadCharacters, NameTooLong, PathTooLong };

// What keeps a heading folder or file named name at path from being made: a
// name without a UTF-8 form (or with a byte no name may hold), a name longer
// than the native file system takes, or a path longer than 260 bytes.
NameFault nameFault(const SjisString& name, const SjisString& path);

// A heading value whose folder or file cannot be made, and why.
struct RefusedHeading {
  SjisString value;
  NameFault fault = NameFault::None;
};

// Goes through the heading breaks of every record below the base folder,
// the records in blocks on the threads of split; the first name that fails
// is returned, and the writer then writes nothing.
std::optional<RefusedHeading> findRefusedHeading(const RecordCells& cells, const Layout& layout,
                                                 const SjisString& basePath, ProgressDisplay& display,
                                                 const WorkSplit& split = {});

}  // namespace headly
