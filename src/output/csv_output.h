// The reordered records: every line rebuilt from the classified items only,
// heading items first, and the CSV file written from those lines.
#pragma once

#include <string_view>

#include "session/ordered_blocks.h"
#include "session/rebuilt_lines.h"
#include "session/session_data.h"
#include "session/work_progress.h"
#include "system/text_files.h"

namespace headly {

// Replaces entries 0..recordCount of recordLines by the heading items in
// heading order and then the other items in their order, with the fields
// the first parse cuts from the lines read. A field quoted in the data file
// is quoted again; an empty item name is written empty, not as "（空白）".
// The lines are rebuilt in blocks on the threads of split, and the longest
// texts of the second parse measured on the way. The program makes them
// only on reading (below); the lines made whole are what those must equal.
void rebuildRecordLines(SessionData& session, ProgressDisplay& display, const WorkSplit& split = {});
// The same, but recordLines keeps the lines read, and every rebuilt line is
// made from its line read when its cells or the CSV file need it
// (rebuildOnRead).
void measureRebuiltLines(SessionData& session, ProgressDisplay& display, const WorkSplit& split = {});

// Writes every rebuilt line, whole or made from the line read, to the CSV
// file at path; closing adds the end mark (not in UTF-8), and only the
// complete file replaces one that was there.
void writeCsvLines(const SessionData& session, TextFiles& files, const SjisString& path, OutputEncoding encoding,
                   ProgressDisplay& display);

}  // namespace headly
