#include "output/csv_output.h"

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

void appendField(const AppState& s, int32_t r, int item, SjisString& line) {
  // An empty item name is shown as "（空白）" but written as the empty field it was.
  const std::string_view cell = r == 0 && s.blankItemName[size_t(item)] ? std::string_view() : s.cells.get(r, item);
  if (s.quoted(r, item)) {
    line += '"';
    line += trimTrailingQuote(cell);
    line += '"';
  } else {
    line += cell;
  }
  line += ',';
}

}  // namespace

std::string_view trimTrailingQuote(std::string_view cell) {
  const size_t n = cell.size();
  if (n > 0 && cell[n - 1] == '"' && !(n > 1 && cell[n - 2] == '"')) cell.remove_suffix(1);
  return cell;
}

void rebuildRecordLines(AppState& s) {
  // The rebuilt lines are seldom longer than the lines read.
  size_t lineBytes = 0;
  for (int32_t r = 0; r <= s.recordCount; ++r) lineBytes += s.recordLines[size_t(r)].size();
  LineTable rebuilt;
  rebuilt.reserveBytes(lineBytes);
  SjisString line;
  for (int32_t r = 0; r <= s.recordCount; ++r) {
    line.clear();
    for (int k = 0; k < s.headingCount; ++k) appendField(s, r, s.headingOrder[size_t(k)], line);
    for (int k = 0; k < s.otherCount; ++k) appendField(s, r, s.otherOrder[size_t(k)], line);
    if (!line.empty()) line.pop_back();  // the comma after the last field
    rebuilt.append(line);
  }
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
