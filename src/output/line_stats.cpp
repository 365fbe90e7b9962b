#include "output/line_stats.h"

#include "text/numbers.h"

namespace headly {

int32_t layoutWidth(const SessionData& state, int32_t i) {
  const int32_t width = roundToInt(state.layout[size_t(i)].charsPerLine);
  return width > 0 ? width : state.itemMaxLength[size_t(i)];
}

}  // namespace headly
