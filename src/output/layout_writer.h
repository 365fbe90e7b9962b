// The layout text writer: every data record as stepped text, into one file
// or, in folder mode, into heading files below folders named by the headings.
#pragma once

#include "session/session_data.h"
#include "session/work_progress.h"

namespace headly {

class TextFiles;

// Writes every record into the layout file target, which replaces a file
// of that name once complete, or, in folder mode, below the base folder
// target (whose heading names were checked).
void writeLayout(const SessionData& session, TextFiles& files, const SjisString& target, ProgressDisplay& display);

}  // namespace headly
