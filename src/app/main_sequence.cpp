#include "app/main_sequence.h"

#include <new>

#include "app/classification.h"
#include "app/data_encoding.h"
#include "app/data_loading.h"
#include "session/field_parser.h"
#include "app/full_width_option.h"
#include "app/item_settings.h"
#include "output/csv_output.h"
#include "app/output_stages.h"
#include "text/runtime_error.h"
#include "system/termination.h"
#include "system/text_files.h"
#include "ui/toolkit.h"

namespace headly {

namespace {

// Stage 0: the state a run starts from. The forms exist already, hidden and
// not on top (making a form not stay on top would also show it, and only
// MAINFORM may be seen before the first dialog).
void startRun(Program& program) {
  AppState& s = program.state;
  s.workFolder = program.files.currentFolder("");
  s.lastItemIndex = 0;
  s.recordCount = 0;
  s.quoteMarker = "\xFF\xFF";
}

// Stage 5: the lines are rebuilt from the classified items (made when they
// are read) and optionally written as the CSV file; the layout stages follow only when asked for and
// when there are heading items and other items.
bool reorderRecords(Program& program) {
  measureRebuiltLines(program.state, program.progress);
  if (program.state.options.writeCsv) writeCsvFile(program);
  if (!program.state.options.makeHeadings) return false;
  return bothItemKindsPresent(program);
}

// Stage 6: the tables of the first parse give way to those of the rebuilt
// lines, whose items are the heading items and then the other items. The
// second parse collapses doubled quotes and converts to full width when the
// user chose it. Every item's width starts as its longest value.
bool parseReorderedRecords(Program& program) {
  AppState& s = program.state;
  s.cells.release();
  s.itemMaxLength.clear();
  s.blankItemName.clear();
  s.lastItemIndex = countLastItemIndex(s.headerLine());
  if (!askFullWidth(program)) return false;
  s.collapseQuotes = 1;
  createParseTables(s);
  parseAllRecords(s, program.progress);
  s.layout.assign(size_t(s.lastItemIndex) + 2, ItemLayout{});
  for (int i = 0; i <= s.lastItemIndex; ++i) {
    s.layout[size_t(i)].charsPerLine = float(s.itemMaxLength[size_t(i)]);
    s.layout[size_t(i)].valueMaxLength = float(s.itemMaxLength[size_t(i)]);
  }
  return true;
}

// Stages 7 and 8: the layout of every item, asked again from the first item
// as long as the final confirmation is answered No.
bool settleLayout(Program& program) {
  do {
    if (!runItemSettings(program)) return false;
  } while (!confirmLayout(program));
  return true;
}

// Stages 0 to 10; returning early means a cancel or a stop: End follows.
void runStages(Program& program) {
  startRun(program);
  if (!chooseDataFile(program)) return;
  if (!settleDataEncoding(program)) return;
  if (!loadRecords(program)) return;
  parseLoadedRecords(program);
  classifyItems(program);
  if (!reorderRecords(program)) return;
  if (!parseReorderedRecords(program)) return;
  if (!settleLayout(program)) return;
  runWriter(program);
}

// The error report, after every open file is closed and unfinished output
// is thrown away. A termination signal while writing is reported as such,
// also when what failed first was a step that the signal cut short.
RunResult reportError(Program& program, int code, const SjisString& detail = {}) {
  program.files.abandonFiles();
  const bool terminated = terminationSignal() != 0;
  if (terminated)
    program.ui.showErrorReport(terminationCode());
  else
    program.ui.showErrorReport(code, detail);
  return terminated ? RunResult::Terminated : RunResult::ErrorReported;
}

}  // namespace

int exitStatus(RunResult result) { return result == RunResult::Terminated ? terminationCode() : int(result); }

RunResult runMainSequence(Program& program) {
  try {
    runStages(program);
  } catch (const RuntimeError& error) {
    return reportError(program, error.errorCode, error.detail);
  } catch (const std::bad_alloc&) {
    // A table larger than the memory (many items times many records).
    return reportError(program, err::kOutOfMemory);
  } catch (const MainWindowClosed&) {
    // Closing the main window ends the run like a cancel.
  } catch (const std::exception&) {
    return reportError(program, err::kInternalError);
  }
  program.ui.end();
  return RunResult::Ended;
}

}  // namespace headly
