// The layout text writer: every data record as stepped text, into one file
// or, in folder mode, into heading files below folders named by the headings.
#pragma once

#include "app/app_state.h"

namespace headly {

// Prepares the output (layout decision, save dialog or folder dialog) and
// writes every record. Returns without output when the user cancelled the
// output dialog, or, in folder mode, after telling the user of a heading
// value that cannot name its folder or file.
void runWriter(Program& program);

}  // namespace headly
