// Data files written by other tools: right after the data file is chosen,
// before the record limit is asked, the file is looked at once. UTF-8 and
// UTF-16 text is converted to Shift-JIS in memory when the user agrees;
// lines that end in a bare LF are read as lines. A Shift-JIS file with CR LF
// lines is read exactly as before.
#pragma once

#include <optional>

#include "app/program.h"
#include "system/file_encoding.h"
#include "text/sjis_string.h"

namespace headly {

// How the data file at path is read. Nothing when the user cancelled.
std::optional<InputForm> settleDataEncoding(Ui& ui, TextFiles& files, const SjisString& path);

}  // namespace headly
