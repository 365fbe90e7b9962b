// The heading lines of file mode: a heading value wrapped to its width, each
// line indented to the heading's column, without delimiters or padding.
#pragma once

#include <cstdint>
#include <string_view>

#include "text/sjis_string.h"

namespace headly {

class TextFiles;

// Writes value as heading lines of width bytes at column through
// writeOutputLine; an empty value writes no line. line is the reused buffer.
void writeHeadingLines(TextFiles& files, SjisString& line, std::string_view value, int32_t column, int32_t width,
                       bool fullWidth);

}  // namespace headly
