#include "app/output_stages.h"

#include "app/folder_dialog.h"
#include "output/csv_output.h"
#include "output/heading_name_check.h"
#include "output/layout_writer.h"
#include "output/pdf_writer.h"
#include "text/encoding.h"
#include "ui/toolkit.h"
#include "ui/typing.h"

namespace headly {

namespace {

constexpr char kTextFilter[] = "ﾃｷｽﾄ形式(*.TXT)";
// Offered after the program's entry, which stays first and preselected. The
// CSV file's UTF-8 starts with the byte order mark, as a spreadsheet's own
// "CSV UTF-8" does: without it a Japanese spreadsheet reads it as Shift-JIS.
// Both texts start with "UTF-8", which is how scripts choose them.
constexpr char kUtf8Filter[] = "UTF-8テキスト(*.TXT)";
constexpr char kUtf8WithBomFilter[] = "UTF-8テキスト（BOM付き）(*.TXT)";
constexpr int kUtf8Entry = 1;
// The layout may also be printed: offered after the UTF-8 entry.
constexpr char kPdfFilter[] = "PDF文書(*.PDF)";
constexpr int kPdfEntry = 2;
// A longer heading value is cut to this many bytes in the message, followed
// by "…".
constexpr int kShownValueBytes = 64;

// A save dialog for the layout file or the CSV file, with the entries
// offered after the program's own: the chosen path (the ESC marker when
// cancelled), and the number of the entry chosen.
struct OutputFile {
  SjisString path;
  int entry = 0;
};
OutputFile askOutputFile(Ui& ui, const char* title, const SjisString& initialPath, const SjisString& offered) {
  SjisString path = ui.saveFileDialog(sjis(title), initialPath, sjis(kTextFilter), offered);
  return {std::move(path), ui.chosenFilter()};
}

// The encoding of the entry chosen: the second writes utf8.
OutputEncoding encodingOf(int entry, OutputEncoding utf8) { return entry == kUtf8Entry ? utf8 : OutputEncoding::ShiftJis; }

void reportRefusedHeading(Ui& ui, const RefusedHeading& refused) {
  const std::string_view value = refused.value;
  SjisString shown = value.empty() ? sjis("？") : cutToBytes(value, kShownValueBytes);
  if (shown.size() < value.size()) shown += sjis("…");
  const NameFault fault = refused.fault;
  const char* reason = fault == NameFault::BadCharacters ? "」はフォルダ名・ファイル名に使えない文字を含むため出力できません"
                       : fault == NameFault::NameTooLong ? "」はフォルダ名・ファイル名には長すぎるため出力できません"
                                                         : "」のフォルダ・ファイルのパスが260バイトを超えるため出力できません";
  ui.messageBox(sjis("処理エラー"), sjis("見出し「") + shown + sjis(reason), Buttons::Ok, Icon::Stop);
}

}  // namespace

void writeCsvFile(Program& program, const ReorderedRecords& records, const SjisString& workFolder) {
  const OutputFile csv =
      askOutputFile(program.ui, "ＣＳＶファイルの書き込み", workFolder + "*.TXT", sjis(kUtf8WithBomFilter));
  if (isEscMarker(csv.path)) return;
  // The dialog asked before an existing file is replaced; it keeps its bytes
  // until the new file is complete.
  writeCsvLines(records, program.files, csv.path, encodingOf(csv.entry, OutputEncoding::Utf8WithBom), program.progress);
}

void runWriter(Program& program, const RecordCells& cells, const Layout& layout, const SjisString& workFolder,
               const SjisString& dataFileName) {
  const bool folderMode = cells.options().folderMode;
  // File mode: the save dialog asks before an existing file is replaced; that
  // file keeps its bytes until the new one is complete.
  OutputFile target;
  if (folderMode)
    target.path = runFolderDialog(program.ui, program.files, workFolder);
  else
    target = askOutputFile(program.ui, "データファイルの書き込み", workFolder + "HEADLY.TXT",
                           sjis(kUtf8Filter) + ";" + sjis(kPdfFilter));
  if (isEscMarker(target.path)) return;
  if (folderMode) {
    const std::optional<RefusedHeading> refused = findRefusedHeading(cells, layout, target.path, program.progress);
    if (refused) {
      reportRefusedHeading(program.ui, *refused);
      return;
    }
  }
  if (target.entry == kPdfEntry)
    writeLayoutPdf(cells, layout, program.files, target.path, dataFileName, *program.printer, program.progress);
  else
    writeLayout(cells, layout, program.files, target.path, encodingOf(target.entry, OutputEncoding::Utf8),
                program.progress);
}

}  // namespace headly
