// The layout text writer: every data record as stepped text, into one file
// or, in folder mode, into heading files below folders named by the headings.
#pragma once

#include "session/ordered_blocks.h"
#include "session/layout.h"
#include "session/record_cells.h"
#include "session/work_progress.h"
#include "system/text_files.h"

namespace headly {

// Writes every record of cells, laid out by layout, into the layout file
// target, which replaces a file of that name once complete, in encoding,
// or, in folder mode (of the cells' options), below the
// base folder target (whose heading names were checked) in Shift-JIS: its
// files are appended to by later runs. The records are laid out in blocks
// on the threads of split; the bytes are those of one thread.
void writeLayout(const RecordCells& cells, const Layout& layout, TextFiles& files, const SjisString& target,
                 OutputEncoding encoding, ProgressDisplay& display, const WorkSplit& split = {});

}  // namespace headly
