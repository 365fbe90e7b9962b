#include "ui/list_order.h"

#include <algorithm>

namespace headly {

size_t sortedInsertPosition(const std::vector<SjisString>& rows, std::string_view entry) {
  const auto at = std::upper_bound(rows.begin(), rows.end(), entry, [](std::string_view a, const SjisString& b) {
    return compareBytes(a, b) < 0;
  });
  return size_t(at - rows.begin());
}

}  // namespace headly
