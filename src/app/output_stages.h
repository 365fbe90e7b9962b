// The stages that write files: the optional CSV file of the reordered
// records, and the layout with its save dialog or, in folder mode, the
// folder dialog and the check of the heading names. The dialogs are asked
// here; the files are written by the output library.
#pragma once

#include "app/program.h"
#include "session/layout.h"
#include "session/record_cells.h"
#include "session/reordered_records.h"

namespace headly {

// Asks for the CSV file, starting in workFolder (cancel skips it), and
// writes every rebuilt line.
void writeCsvFile(Program& program, const ReorderedRecords& records, const SjisString& workFolder);

// Asks where the layout goes (save dialog starting in workFolder, or the
// folder dialog in folder mode) and writes every record, as text or as a PDF
// document whose pages name the data file dataFileName. Returns without
// output when the user cancelled the dialog, or, in folder mode, after
// telling the user of a heading value that cannot name its folder or file.
void runWriter(Program& program, const RecordCells& cells, const Layout& layout, const SjisString& workFolder,
               const SjisString& dataFileName);

}  // namespace headly
