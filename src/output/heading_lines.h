// The heading lines of file mode: a heading value wrapped to its width, each
// line indented to the heading's column, without delimiters or padding.
#pragma once

#include <cstdint>
#include <string_view>

#include "output/line_block.h"
#include "text/sjis_string.h"

namespace headly {

// Appends value as heading lines of width bytes at column to block through
// appendOutputLine; an empty value gives no line. line is the reused buffer.
void appendHeadingLines(LineBlock& block, SjisString& line, std::string_view value, int32_t column, int32_t width,
                        bool fullWidth);

}  // namespace headly
