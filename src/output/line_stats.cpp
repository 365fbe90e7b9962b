#include "output/line_stats.h"

#include "text/numbers.h"

namespace headly {

int32_t layoutWidth(const Layout& layout, int32_t i) {
  const int32_t width = roundToInt(layout.item(i).charsPerLine);
  return width > 0 ? width : layout.maxLength(i);
}

}  // namespace headly
