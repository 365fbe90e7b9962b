// The CSV file of the reordered records.
#pragma once

#include "session/reordered_records.h"
#include "session/work_progress.h"
#include "system/text_files.h"

namespace headly {

// Writes the rebuilt item names line and every rebuilt data line, made from
// its line read in blocks on the threads, to the CSV file at path; closing
// adds the end mark (not in UTF-8), and only the complete file replaces one
// that was there.
void writeCsvLines(const ReorderedRecords& records, TextFiles& files, const SjisString& path,
                   OutputEncoding encoding, ProgressDisplay& display);

}  // namespace headly
