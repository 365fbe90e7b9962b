#include "output/csv_output.h"

#include <algorithm>
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

// The line of the items, in their order, separated by commas, into out.
// No text is longer than its part of line, so the rebuilt line has room in
// line's length and two quotes and a comma for each item.
void buildRebuiltLine(const std::vector<int>& items, std::string_view line, const LineFields& fields,
                      SjisString& out) {
  out.resize(line.size() + 3 * items.size());
  char* const begin = out.data();
  char* p = begin;
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
  WorkProgress progress(display, "データの並べ替え中", s.recordCount);
  s.recordLines.rewrite(
      [&items, fields = LineFields(s.lastItemIndex + 1, false)](size_t, std::string_view line,
                                                                SjisString& rebuilt) mutable {
        fields.cut(line);
        buildRebuiltLine(items, line, fields, rebuilt);
      },
      settleSplit(split, s.recordLines.bytesPerLine()), [&](size_t last) { progress.stepBlock(int64_t(last)); });
  progress.finish();
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
