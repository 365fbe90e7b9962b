#include "app/main_sequence.h"

#include <new>
#include <optional>

#include "app/classification.h"
#include "app/data_encoding.h"
#include "app/data_loading.h"
#include "app/full_width_option.h"
#include "app/item_settings.h"
#include "app/output_stages.h"
#include "session/reorder_pass.h"
#include "text/encoding.h"
#include "text/error_report.h"
#include "text/runtime_error.h"
#include "system/termination.h"
#include "system/text_files.h"
#include "ui/toolkit.h"

namespace headly {

namespace {

// Stage 6: the full-width question, then the second parse of the reordered
// records, which collapses doubled quotes and converts to full width when
// the user chose it. Nothing when the user cancelled.
std::optional<RecordCells> parseReorderedRecords(Ui& ui, const ReorderedRecords& records, const RunOptions& chosen) {
  std::optional<RunOptions> options = askFullWidth(ui, chosen);
  if (!options) return std::nullopt;
  options->collapseQuotes = true;
  return records.cells(*options);
}

// Stages 0 to 10; returning early means a cancel or a stop: End follows.
// Each stage reads what the ones before made and makes what the next reads.
// The forms exist already, hidden and not on top (making a form not stay on
// top would also show it, and only MAINFORM may be seen before the first
// dialog).
void runStages(Program& program) {
  Ui& ui = program.ui;
  std::optional<DataFileChoice> data = chooseDataFile(ui, program.files, program.files.currentFolder(""));
  if (!data) return;
  const std::optional<InputForm> form = settleDataEncoding(ui, program.files, data->path);
  if (!form) return;
  data->form = *form;
  std::optional<LoadedTable> table = loadRecords(ui, program.files, program.progress, *data);
  if (!table) return;
  warnOfExtraData(ui, *table);
  const Classification classification = classifyItems(ui, table->itemNames());
  // Stage 5: the lines are rebuilt from the classified items (made when they
  // are read) and optionally written as the CSV file; the layout stages
  // follow only when asked for and when there are heading items and other
  // items.
  const ReorderedRecords records = reorderRecords(*table, classification, program.progress);
  const RunOptions& chosen = classification.options();
  if (chosen.writeCsv) writeCsvFile(program, records, data->folder);
  if (!chosen.makeHeadings || !bothItemKindsPresent(ui, classification)) return;
  const std::optional<RecordCells> cells = parseReorderedRecords(ui, records, chosen);
  if (!cells) return;
  // Stages 7 and 8: the layout of every item, and the output.
  const std::optional<Layout> layout = settleLayout(ui, program.drawing, *cells, classification.headingCount());
  if (!layout) return;
  runWriter(program, *cells, *layout, data->folder, data->name);
}

// The error report, after every open file is closed and unfinished output
// is thrown away. A termination signal while writing is reported as such,
// also when what failed first was a step that the signal cut short.
RunResult reportError(Program& program, int code, const SjisString& detail = {}) {
  program.files.abandonFiles();
  const bool terminated = terminationSignal() != 0;
  if (terminated)
    program.ui.showErrorReport(terminationCode(), sjis(stoppedWritingUtf8(terminationRemovedTemporary())));
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
