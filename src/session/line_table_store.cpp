#include "session/line_table_store.h"

#include <utility>

namespace headly {

void LineTableStore::countLines(BackgroundCount::Counts counts) {
  count_.emplace(std::move(counts));
  handedOn_ = lines_.size();
}

std::optional<int64_t> LineTableStore::countedLines() {
  if (!count_) return std::nullopt;
  const int64_t total = count_->total();
  count_.reset();
  return total;
}

void LineTableStore::blockRead() {
  const size_t ended = lines_.size();
  if (ended == 0) return;
  progress_.stepBlock(int64_t(ended - 1));
  if (!count_ || handedOn_ == ended) return;
  count_->add(lines_.run(handedOn_, ended));
  handedOn_ = ended;
}

void LineTableStore::stopCounting() { count_.reset(); }

}  // namespace headly
