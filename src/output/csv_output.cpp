#include "output/csv_output.h"

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

// Appends the classified items of the line cut into fields, heading items
// first, separated by commas. A field quoted in the data file is quoted
// again; an item the line has no field for is empty, and so is an empty
// item name, which the item lists show as "（空白）".
void appendRebuiltLine(const AppState& s, const LineFields& fields, LineTable& rebuilt) {
  bool first = true;
  const auto appendItem = [&](int item) {
    if (!first) rebuilt.appendPiece(',');
    first = false;
    if (item >= fields.count()) return;
    if (fields.quoted(item)) {
      rebuilt.appendPiece('"');
      rebuilt.appendPiece(trimTrailingQuote(fields.text(item)));
      rebuilt.appendPiece('"');
    } else {
      rebuilt.appendPiece(fields.text(item));
    }
  };
  for (int k = 0; k < s.headingCount; ++k) appendItem(s.headingOrder[size_t(k)]);
  for (int k = 0; k < s.otherCount; ++k) appendItem(s.otherOrder[size_t(k)]);
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
  LineFields fields(s.lastItemIndex + 1, false);
  LineTable rebuilt;
  rebuilt.reserve(size_t(s.recordCount) + 1, s.recordLines.byteCount());
  WorkProgress progress(program.ui, "データの並べ替え中");
  for (int32_t r = 0; r <= s.recordCount; ++r) {
    fields.cut(s.recordLines[size_t(r)]);
    appendRebuiltLine(s, fields, rebuilt);
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
