// Data files written by other tools: right after the data file is chosen,
// before the record limit is asked, the file is looked at once. UTF-8 and
// UTF-16 text is converted to Shift-JIS in memory when the user agrees;
// lines that end in a bare LF are read as lines. A Shift-JIS file with CR LF
// lines is read exactly as before.
#pragma once

#include "app/app_state.h"

namespace headly {

// Sets dataForm for the chosen data file. False when the user cancelled.
bool settleDataEncoding(Program& program);

}  // namespace headly
