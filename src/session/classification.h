// How the user classified the items: the heading items and the other items,
// each in the order chosen, and the options of the run.
#pragma once

#include <vector>

#include "session/run_options.h"

namespace headly {

class Classification {
 public:
  Classification(std::vector<int> headingItems, std::vector<int> otherItems, RunOptions options)
      : headingItems_(std::move(headingItems)), otherItems_(std::move(otherItems)), options_(options) {}

  const std::vector<int>& headingItems() const { return headingItems_; }
  const std::vector<int>& otherItems() const { return otherItems_; }
  int headingCount() const { return int(headingItems_.size()); }
  int otherCount() const { return int(otherItems_.size()); }
  // The items the reordered records keep: the heading items, then the others.
  std::vector<int> orderedItems() const {
    std::vector<int> items = headingItems_;
    items.insert(items.end(), otherItems_.begin(), otherItems_.end());
    return items;
  }
  const RunOptions& options() const { return options_; }

 private:
  std::vector<int> headingItems_, otherItems_;
  RunOptions options_;
};

}  // namespace headly
