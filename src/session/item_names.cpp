#include "session/item_names.h"

#include "session/line_fields.h"
#include "text/encoding.h"

namespace headly {

ItemNames::ItemNames(std::string_view header, bool collapseQuotes) {
  const int32_t items = countLastItemIndex(header) + 1;
  names_.resize(size_t(items));
  quoted_.assign(size_t(items), 0);
  blank_.assign(size_t(items), 0);
  LineFields fields(items, collapseQuotes);
  fields.cut(header);
  for (int32_t f = 0; f < fields.count(); ++f) {
    quoted_[size_t(f)] = fields.quoted(f) ? 1 : 0;
    // An item needs a name to show.
    if (fields.blank(f)) {
      names_[size_t(f)] = sjis(kBlankItemName);
      blank_[size_t(f)] = 1;
    } else {
      names_[size_t(f)] = SjisString(fields.text(f));
    }
  }
}

void ItemNames::writeInto(CellTable& cells) const {
  for (int32_t i = 0; i <= lastItemIndex(); ++i) {
    if (quoted(i)) cells.markQuoted(0, i);
    cells.set(0, i, names_[size_t(i)]);
  }
}

}  // namespace headly
