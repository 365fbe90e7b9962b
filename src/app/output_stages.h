// The stages that write files: the optional CSV file after the rebuild, and
// the layout with its save dialog or, in folder mode, the folder dialog and
// the check of the heading names. The dialogs are asked here; the files are
// written by the output library.
#pragma once

#include "app/app_state.h"

namespace headly {

// Asks for the CSV file (cancel skips it) and writes every rebuilt line.
void writeCsvFile(Program& program);

// Asks where the layout goes (save dialog, or the folder dialog in folder
// mode) and writes every record. Returns without output when the user
// cancelled the dialog, or, in folder mode, after telling the user of a
// heading value that cannot name its folder or file.
void runWriter(Program& program);

}  // namespace headly
