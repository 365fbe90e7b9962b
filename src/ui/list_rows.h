// The rules of lists and combo boxes that every backend follows, and the
// entries with their selection and caret for a backend that keeps them
// itself. A sorted list (LIST4) puts a new entry after every entry that sorts
// before or equal to it, as the desktop's sorted list boxes do: without
// regard to letter case, signs before digits before letters before other
// characters ([lib] before [lib32], [data] before [HEADLY]), and entries
// that differ only in case by their bytes; the others add at the end. Setting the index of a multiple-selection
// list moves only its caret; in the others it selects that one row. A click
// toggles a row of a multiple-selection list; in the others it selects the
// one row, and a click below the last entry leaves none selected.
#pragma once

#include <string_view>
#include <vector>

#include "text/sjis_string.h"
#include "ui/catalogue.h"

namespace headly {

// Negative, zero or positive as entry a sorts before, with or after b in a
// sorted list.
int compareListEntries(std::string_view a, std::string_view b);
// Where a new entry goes into the rows of list.
size_t listInsertPosition(const ControlSpec& list, const std::vector<SjisString>& rows, std::string_view entry);
// Whether setting the index selects the row (or only moves the caret).
inline bool indexSelectsRow(const ControlSpec& list) { return !list.multiSelect; }

struct ListRows {
  std::vector<SjisString> rows;
  std::vector<bool> selected;
  int current = -1;  // the selected row, or the caret of a multiple-selection list

  void add(const ControlSpec& list, const SjisString& text);
  void clear();
  void setIndex(const ControlSpec& list, int index);
  void click(const ControlSpec& list, int row);
};

}  // namespace headly
