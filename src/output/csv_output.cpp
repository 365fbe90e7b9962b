#include "output/csv_output.h"

#include <algorithm>
#include <vector>

#include "app/field_parser.h"
#include "app/work_progress.h"
#include "text/encoding.h"
#include "text/text_files.h"
#include "ui/toolkit.h"

namespace headly {

namespace {

constexpr char kCsvTitle[] = "ＣＳＶファイルの書き込み";
constexpr char kCsvPattern[] = "*.TXT";
constexpr char kCsvFilter[] = "ﾃｷｽﾄ形式(*.TXT)";

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

// Appends the line of the items, in their order, separated by commas. Its
// bytes are counted first and then written in place.
void appendRebuiltLine(const std::vector<int>& items, const LineFields& fields, LineTable& rebuilt) {
  size_t length = items.empty() ? 0 : items.size() - 1;
  for (const int item : items) {
    const RebuiltField field = rebuiltField(fields, item);
    length += field.text.size() + (field.quoted ? 2 : 0);
  }
  char* out = rebuilt.appendSpace(length);
  for (size_t k = 0; k < items.size(); ++k) {
    if (k > 0) *out++ = ',';
    const RebuiltField field = rebuiltField(fields, items[k]);
    if (field.quoted) *out++ = '"';
    out = std::copy(field.text.begin(), field.text.end(), out);
    if (field.quoted) *out++ = '"';
  }
  rebuilt.endLine();
}

}  // namespace

std::string_view trimTrailingQuote(std::string_view cell) {
  const size_t n = cell.size();
  if (n > 0 && cell[n - 1] == '"' && !(n > 1 && cell[n - 2] == '"')) cell.remove_suffix(1);
  return cell;
}

void rebuildRecordLines(Program& program) {
  AppState& s = program.state;
  // Each line is cut again as the first parse cut it, doubled quotes kept,
  // so no cell of the first parse needs to be held for every record. The
  // rebuilt lines are seldom longer than the lines read.
  std::vector<int> items(s.headingOrder.begin(), s.headingOrder.begin() + s.headingCount);
  items.insert(items.end(), s.otherOrder.begin(), s.otherOrder.begin() + s.otherCount);
  LineFields fields(s.lastItemIndex + 1, false);
  LineTable rebuilt;
  rebuilt.reserve(size_t(s.recordCount) + 1, s.recordLines.byteCount());
  WorkProgress progress(program.ui, "データの並べ替え中");
  for (int32_t r = 0; r <= s.recordCount; ++r) {
    fields.cut(s.recordLines[size_t(r)]);
    appendRebuiltLine(items, fields, rebuilt);
    progress.step(r);
  }
  progress.finish();
  s.recordLines.swap(rebuilt);
}

void writeCsvFile(Program& program) {
  AppState& s = program.state;
  TextFiles& files = program.files;
  s.selectedPath = program.ui.saveFileDialog(sjis(kCsvTitle), s.workFolder + kCsvPattern, sjis(kCsvFilter));
  if (isEscMarker(s.selectedPath)) return;
  // The dialog asked before an existing file is replaced; it keeps its bytes
  // until the new file is complete.
  files.openFile(s.selectedPath, FileMode::Replace, kCsvFile);
  WorkProgress progress(program.ui, "ＣＳＶファイルの書き込み中");
  for (int32_t r = 0; r <= s.recordCount; ++r) {
    files.writeLine(kCsvFile, s.recordLines[size_t(r)]);
    progress.step(r);
  }
  files.closeFiles();
  progress.finish();
}

}  // namespace headly
