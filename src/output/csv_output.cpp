#include "output/csv_output.h"

#include <algorithm>
#include <atomic>
#include <vector>

#include "session/field_parser.h"
#include "session/work_progress.h"
#include "text/encoding.h"
#include "text/text_files.h"

namespace headly {

namespace {

constexpr int kCsvFile = 1;

// What an item adds to a rebuilt line: its text, and whether it goes in
// quotes because it was quoted in the data file. An item the line has no
// field for is empty, and so is an empty item name, which the item lists
// show as "（空白）".
struct RebuiltField {
  std::string_view text;
  bool quoted = false;
};

RebuiltField rebuiltField(const LineFields& fields, int item) {
  if (item >= fields.count()) return {};
  if (fields.quoted(item)) return {trimTrailingQuote(fields.text(item)), true};
  return {fields.text(item), false};
}

// Appends the line of the items, in their order, separated by commas, to
// out. No text is longer than its part of line, so the rebuilt line has room
// in line's length and two quotes and a comma for each item.
void buildRebuiltLine(const std::vector<int>& items, std::string_view line, const LineFields& fields,
                      SjisString& out) {
  const size_t from = out.size();
  out.resize(from + line.size() + 3 * items.size());
  char* const begin = out.data();
  char* p = begin + from;
  for (size_t k = 0; k < items.size(); ++k) {
    if (k > 0) *p++ = ',';
    const RebuiltField field = rebuiltField(fields, items[k]);
    if (field.quoted) *p++ = '"';
    p = std::copy(field.text.begin(), field.text.end(), p);
    if (field.quoted) *p++ = '"';
  }
  out.resize(size_t(p - begin));
}

}  // namespace

std::string_view trimTrailingQuote(std::string_view cell) {
  const size_t n = cell.size();
  if (n > 0 && cell[n - 1] == '"' && !(n > 1 && cell[n - 2] == '"')) cell.remove_suffix(1);
  return cell;
}

void rebuildRecordLines(SessionData& s, ProgressDisplay& display, const WorkSplit& split) {
  // Each line is cut again as the first parse cut it, doubled quotes kept,
  // so no cell of the first parse needs to be held for every record.
  std::vector<int> items(s.headingOrder.begin(), s.headingOrder.begin() + s.headingCount);
  items.insert(items.end(), s.otherOrder.begin(), s.otherOrder.begin() + s.otherCount);
  const int32_t fieldsRead = s.lastItemIndex + 1;
  s.rebuiltLongest = {};
  // The second parse takes as many items as the rebuilt header has commas
  // (quoted commas too): the header is rebuilt first to count them.
  SjisString header;
  LineFields headerFields(fieldsRead, false);
  headerFields.cut(s.recordLines[0]);
  buildRebuiltLine(items, s.recordLines[0], headerFields, header);
  LongestTexts longest{countLastItemIndex(header) + 1, {}, {}};
  longest.asTheyAre.assign(size_t(longest.items), 0);
  longest.inFullWidth = longest.asTheyAre;
  // Every thread measures the lines it rebuilds into a tally of its own.
  const WorkSplit settled = settleSplit(split, s.recordLines.bytesPerLine());
  std::vector<LongestTexts> tallies(size_t(settled.threads), longest);
  std::atomic<size_t> talliesTaken = 0;
  struct Rebuilder {
    const std::vector<int>* items;
    LineFields read, measured;
    std::vector<LongestTexts>* tallies;
    std::atomic<size_t>* talliesTaken;
    LongestTexts* tally = nullptr;
    void operator()(size_t r, std::string_view line, SjisString& block) {
      const size_t from = block.size();
      read.cut(line);
      buildRebuiltLine(*items, line, read, block);
      if (r == 0) return;
      if (!tally) tally = &(*tallies)[(*talliesTaken)++];
      if (read.anyReworked()) {
        measureRebuiltLine(measured, std::string_view(block).substr(from), *tally);
      } else {
        // Without reworked quotes the rebuilt line cuts again into the very
        // texts it was built from, which are measured as they are.
        for (size_t k = 0; k < items->size(); ++k)
          raiseLongest(*tally, int32_t(k), rebuiltField(read, (*items)[k]).text);
      }
    }
  };
  WorkProgress progress(display, "データの並べ替え中", s.recordCount);
  s.recordLines.rewrite(Rebuilder{&items, LineFields(fieldsRead, false), LineFields(longest.items, true), &tallies,
                                  &talliesTaken},
                        settled, [&](size_t last) { progress.stepBlock(int64_t(last)); });
  progress.finish();
  for (const LongestTexts& tally : tallies) joinLongest(longest, tally);
  s.rebuiltLongest = std::move(longest);
}

void writeCsvLines(const SessionData& s, TextFiles& files, const SjisString& path, OutputEncoding encoding,
                   ProgressDisplay& display) {
  files.openOutput(path, encoding, kCsvFile);
  WorkProgress progress(display, "ＣＳＶファイルの書き込み中", s.recordCount);
  for (int32_t r = 0; r <= s.recordCount; ++r) {
    files.writeLine(kCsvFile, s.recordLines[size_t(r)]);
    progress.step(r);
  }
  files.closeFiles();
  progress.finish();
}

}  // namespace headly
