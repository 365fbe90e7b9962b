// Loading the data file: the open dialog, the record limit with its retry,
// reading the lines, and the first parse of the item names.
#pragma once

#include <optional>

#include "app/program.h"
#include "session/loaded_table.h"
#include "system/file_encoding.h"
#include "text/sjis_string.h"

namespace headly {

struct FileStamp;

// The data file chosen: its path, its folder (where every later dialog
// starts), its name without the folder (as printed pages name it) and how it
// is read.
struct DataFileChoice {
  SjisString path;
  SjisString folder;
  SjisString name;
  InputForm form;
};

// Asks for the data file, starting in startFolder. Only a regular file is
// taken (the dialog comes back for a folder, a device or a pipe). Nothing
// when the user cancelled.
std::optional<DataFileChoice> chooseDataFile(Ui& ui, TextFiles& files, const SjisString& startFolder);

// Asks for the record limit and reads the chosen file; when the file has as
// many data lines as the limit or more, tells the user and asks again with
// the last answer as default. The item names are cut as the first parse cuts
// them: doubled quotes stay doubled, so the rebuilt lines are still valid
// quoted fields. Nothing when the user cancelled or the file holds no data
// line (after saying so).
std::optional<LoadedTable> loadRecords(Ui& ui, TextFiles& files, ProgressDisplay& display,
                                       const DataFileChoice& data);

// Ends the run in the error report, after a message that names the data
// file at path, when the file is no longer the one whose reading began with
// atStart (another program cut it short, added to it or replaced it
// meanwhile).
void checkDataFileUnchanged(Ui& ui, TextFiles& files, const SjisString& path, const FileStamp& atStart);

// Warns once when data lines had more fields than the header has items.
void warnOfExtraData(Ui& ui, const LoadedTable& table);

}  // namespace headly
