// FORM5 "フォルダの作成", the folder dialog of folder mode: the user browses
// drives (COMBO1) and folders (LIST4), names the base folder of the output
// in EDIT7, and "決定" creates it at once.
#pragma once

#include "app/program.h"
#include "text/sjis_string.h"

namespace headly {

// Runs the dialog once, browsing from workFolder. Returns the base folder
// that was created, or the ESC marker when the user cancelled; FORM5 is
// hidden, so no second folder can be created.
SjisString runFolderDialog(Ui& ui, TextFiles& files, const SjisString& workFolder);

}  // namespace headly
