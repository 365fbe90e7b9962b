// The reorder pass: the records of the loaded table rebuilt from the
// classified items, heading items first, with the fields the first parse
// cuts from the lines read. A field quoted in the data file is quoted
// again; an empty item name is written empty, not as "（空白）".
#pragma once

#include "session/classification.h"
#include "session/loaded_table.h"
#include "session/ordered_blocks.h"
#include "session/reordered_records.h"
#include "session/work_progress.h"

namespace headly {

// Measures the rebuilt lines in blocks on the threads of split (the longest
// texts of the second parse, and what each record keeps of the one before)
// without making them: the reordered records make a line when it is read.
// The loaded table's lines are shared, not copied.
ReorderedRecords reorderRecords(const LoadedTable& table, const Classification& classification,
                                ProgressDisplay& display, const WorkSplit& split = {});

}  // namespace headly
