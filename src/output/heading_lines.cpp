#include "output/heading_lines.h"

#include "output/line_stats.h"
#include "output/output_line.h"

namespace headly {

void appendHeadingLines(LineBlock& block, SjisString& line, std::string_view value, int32_t column, int32_t width,
                        bool fullWidth) {
  const LineStats stats = lineStats(byteLength(value), width);
  const int32_t lines = stats.fullLines + (stats.remainder > 0 ? 1 : 0);
  for (int32_t n = 0; n < lines; ++n) {
    line.append(size_t(column), ' ');
    line.append(value.substr(size_t(n) * size_t(stats.width), size_t(stats.width)));
    appendOutputLine(block, line, fullWidth);
  }
}

}  // namespace headly
