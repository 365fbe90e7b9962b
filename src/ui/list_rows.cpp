#include "ui/list_rows.h"

#include <algorithm>
#include <cstddef>

namespace headly {

size_t listInsertPosition(const ControlSpec& list, const std::vector<SjisString>& rows, std::string_view entry) {
  if (!list.sorted) return rows.size();
  const auto at = std::upper_bound(rows.begin(), rows.end(), entry, [](std::string_view a, const SjisString& b) {
    return compareBytes(a, b) < 0;
  });
  return size_t(at - rows.begin());
}

void ListRows::add(const ControlSpec& list, const SjisString& text) {
  const size_t at = listInsertPosition(list, rows, text);
  rows.insert(rows.begin() + std::ptrdiff_t(at), text);
  selected.insert(selected.begin() + std::ptrdiff_t(at), false);
  if (current >= int(at)) ++current;
}

void ListRows::clear() {
  rows.clear();
  selected.clear();
  current = -1;
}

void ListRows::setIndex(const ControlSpec& list, int index) {
  current = index;
  if (!indexSelectsRow(list)) return;
  for (size_t i = 0; i < selected.size(); ++i) selected[i] = int(i) == index;
}

void ListRows::click(const ControlSpec& list, int row) {
  if (row >= 0 && list.multiSelect) {
    selected[size_t(row)] = !selected[size_t(row)];
    current = row;
    return;
  }
  current = row;
  for (size_t i = 0; i < selected.size(); ++i) selected[i] = int(i) == row;
}

}  // namespace headly
