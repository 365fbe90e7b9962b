// The layout of every item as the item dialogs leave it: the settings the
// dialogs walk through, and the layout made of them once the user confirmed
// it, which the writer lays the records out by.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "session/item_layout.h"

namespace headly {

struct LayoutSettings {
  // One entry per item plus the extra startColumn entry.
  std::vector<ItemLayout> items;
  // The longest text of every item, with its delimiters once they are set.
  std::vector<int32_t> itemMaxLength;
  int firstBodyItem = 0;
  float lineWidth = 0;
};

class Layout {
 public:
  explicit Layout(LayoutSettings settings) : settings_(std::move(settings)) {
    if (settings_.items.size() != settings_.itemMaxLength.size() + 1 || settings_.firstBodyItem < 0 ||
        settings_.firstBodyItem > lastItemIndex())
      throw std::invalid_argument("layout settings of another table");
  }

  const LayoutSettings& settings() const { return settings_; }
  const ItemLayout& item(int32_t i) const { return settings_.items[size_t(i)]; }
  int32_t maxLength(int32_t i) const { return settings_.itemMaxLength[size_t(i)]; }
  int32_t lastItemIndex() const { return int32_t(settings_.itemMaxLength.size()) - 1; }
  int firstBodyItem() const { return settings_.firstBodyItem; }
  float lineWidth() const { return settings_.lineWidth; }

 private:
  LayoutSettings settings_;
};

}  // namespace headly
