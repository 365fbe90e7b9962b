#include "ui/list_rows.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace headly {
namespace {

// The sort weight of the character at s[i] and its length in bytes: signs,
// digits, letters (either case alike), then the other single bytes and the
// double-byte characters by their bytes.
std::pair<int, size_t> weightAt(std::string_view s, size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  if (isLeadByte(b) && i + 1 < s.size()) return {0x20000 + b * 256 + static_cast<unsigned char>(s[i + 1]), 2};
  if (b >= '0' && b <= '9') return {0x100 + b, 1};
  if (b >= 'A' && b <= 'Z') return {0x200 + b - 'A' + 'a', 1};
  if (b >= 'a' && b <= 'z') return {0x200 + b, 1};
  if (b >= 0x80) return {0x10000 + b, 1};
  return {b, 1};
}

}  // namespace

int compareListEntries(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const auto [wa, na] = weightAt(a, i);
    const auto [wb, nb] = weightAt(b, j);
    if (wa != wb) return wa < wb ? -1 : 1;
    i += na;
    j += nb;
  }
  if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
  return compareBytes(a, b);
}

size_t listInsertPosition(const ControlSpec& list, const std::vector<SjisString>& rows, std::string_view entry) {
  if (!list.sorted) return rows.size();
  const auto at = std::upper_bound(rows.begin(), rows.end(), entry, [](std::string_view a, const SjisString& b) {
    return compareListEntries(a, b) < 0;
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
