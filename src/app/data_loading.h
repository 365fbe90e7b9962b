// Loading the data file: the open dialog, the record limit with its retry,
// reading the lines into recordLines, and the first parse into cells.
#pragma once

#include "app/app_state.h"

namespace headly {

struct FileStamp;

// Asks for the data file and sets workFolder to its folder. Only a regular
// file is taken (the dialog comes back for a folder, a device or a pipe).
// False when the user cancelled.
bool chooseDataFile(Program& program);

// Asks for the record limit and reads the chosen file into recordLines; when
// the file has as many data lines as the limit or more, tells the user and
// asks again with the last answer as default. False when the user cancelled
// or the file holds no data line (after saying so).
bool loadRecords(Program& program);

// Ends the run in the error report, after a message that names the data
// file, when the file is no longer the one whose reading began with atStart
// (another program cut it short, added to it or replaced it meanwhile).
void checkDataFileUnchanged(Program& program, const FileStamp& atStart);

// The first parse of the lines as read: doubled quotes stay doubled, so the
// rebuilt lines are still valid quoted fields. Warns once when data lines
// had more fields than the header has items.
void parseLoadedRecords(Program& program);

}  // namespace headly
