#include "session/reorder_pass.h"

#include <algorithm>
#include <atomic>
#include <vector>

#include "session/line_fields.h"
#include "session/longest_texts.h"
#include "session/rebuilt_lines.h"

namespace headly {

namespace {

constexpr char kRebuildProgress[] = "データの並べ替え中";

// Cuts the lines read as the first parse cut them, doubled quotes kept (so
// no cell of the first parse needs to be held for every record), and
// measures their rebuilt lines as the second parse cuts them, into a tally
// of its thread. The line cut before stays cut, to compare with.
struct Rebuilder {
  const std::vector<int>* items;
  LineFields cuts[2];
  size_t current = 0;
  LineFields measured;
  std::vector<LongestTexts>* tallies;
  std::atomic<size_t>* talliesTaken;
  LongestTexts* tally = nullptr;
  SjisString rebuilt, scratch;

  // Cuts the line before the first one measured of a block.
  void follow(std::string_view line) { cutNext(line); }
  // Measures the rebuilt line of a data line, made only when it must be cut;
  // returns how many leading items keep their cells from the line cut just
  // before, when that is the record before (afterRecord), else 0.
  uint8_t measureOnly(std::string_view line, bool afterRecord) {
    cutNext(line);
    const LineFields& before = cuts[1 - current];
    const uint8_t unchanged = !afterRecord || before.anyReworked() || read().anyReworked()
                                  ? 0
                                  : unchangedLeadingItems(before, read(), *items);
    if (read().anyReworked()) {
      rebuilt.clear();
      buildRebuiltLine(*items, line, read(), rebuilt);
    }
    // The texts of the record before were measured already.
    measure(rebuilt, unchanged);
    return unchanged;
  }

 private:
  LineFields& read() { return cuts[current]; }
  void cutNext(std::string_view line) {
    current = 1 - current;
    read().cut(line);
  }
  void measure(std::string_view rebuiltLine, size_t firstItem = 0) {
    if (!tally) {
      // Every text reads the tally: it is made again on this thread, in
      // memory apart from what the other threads write.
      tally = &(*tallies)[(*talliesTaken)++];
      *tally = LongestTexts(*tally);
    }
    if (read().anyReworked()) {
      measureRebuiltLine(measured, rebuiltLine, *tally);
      return;
    }
    // Without reworked quotes the rebuilt line cuts again into the very texts
    // it was built from, doubled quotes collapsed.
    // Most fields are not quoted: their texts are as they were cut.
    const LineFields& fields = read();
    for (size_t k = firstItem; k < items->size(); ++k) {
      const int item = (*items)[k];
      const bool plain = item < fields.count() && !fields.quoted(item);
      raiseLongest(*tally, int32_t(k), plain ? fields.text(item) : secondParseField(fields, item, scratch).text);
    }
  }
};

// What the pass keeps while it runs: the items, the rebuilt item names line,
// the split and the threads' tallies of the longest texts.
class RebuildPass {
 public:
  RebuildPass(const LoadedTable& table, const std::vector<int>& items, const WorkSplit& split)
      : lines_(table.lines()), items_(items), split_(settleSplit(split, lines_.bytesPerLine())) {
    // The fields after the last item kept are never read.
    fieldsRead_ = items_.empty() ? 0 : *std::max_element(items_.begin(), items_.end()) + 1;
    // The second parse takes as many items as the rebuilt header has commas
    // (quoted commas too): the header is rebuilt first to count them.
    LineFields headerFields(fieldsRead_, false);
    headerFields.cut(lines_[0]);
    buildRebuiltLine(items_, lines_[0], headerFields, header_);
    longest_.items = countLastItemIndex(header_) + 1;
    longest_.asTheyAre.assign(size_t(longest_.items), 0);
    longest_.inFullWidth = longest_.asTheyAre;
    tallies_.assign(size_t(split_.threads), longest_);
  }

  Rebuilder rebuilder() {
    const LineFields read(fieldsRead_, false);
    return Rebuilder{&items_, {read, read}, 0, LineFields(longest_.items, true), &tallies_, &taken_, nullptr, {}, {}};
  }
  const WorkSplit& split() const { return split_; }

  // The records, rebuilt on reading, with what each keeps of the one before
  // (unchanged).
  ReorderedRecords finish(int32_t recordCount, std::vector<uint8_t> unchanged) {
    for (const LongestTexts& tally : tallies_) joinLongest(longest_, tally);
    return ReorderedRecords(RebuildOnRead{lines_.shared(), std::move(items_), fieldsRead_}, recordCount,
                            std::move(header_), std::move(longest_), std::move(unchanged));
  }

 private:
  const LineTable& lines_;
  std::vector<int> items_;
  int32_t fieldsRead_ = 0;
  WorkSplit split_;
  SjisString header_;
  LongestTexts longest_;
  std::vector<LongestTexts> tallies_;
  std::atomic<size_t> taken_ = 0;
};

}  // namespace

ReorderedRecords reorderRecords(const LoadedTable& table, const Classification& classification,
                                ProgressDisplay& display, const WorkSplit& split) {
  RebuildPass pass(table, classification.orderedItems(), split);
  const int32_t recordCount = table.recordCount();
  WorkProgress progress(display, kRebuildProgress, recordCount);
  const LineTable& lines = table.lines();
  std::vector<uint8_t> unchanged(size_t(recordCount) + 1, 0);
  runOrderedBlocks<int>(
      1, int64_t(recordCount) + 1, pass.split(), [&] { return pass.rebuilder(); },
      [&](Rebuilder& mine, int64_t begin, int64_t end, int&) {
        if (begin > 1) mine.follow(lines[size_t(begin) - 1]);
        for (int64_t r = begin; r < end; ++r) unchanged[size_t(r)] = mine.measureOnly(lines[size_t(r)], r > 1);
      },
      [&](int64_t, int64_t end, int) { progress.stepBlock(end - 1); });
  progress.finish();
  return pass.finish(recordCount, std::move(unchanged));
}

}  // namespace headly
