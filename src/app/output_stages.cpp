#include "app/output_stages.h"

#include "app/folder_dialog.h"
#include "output/csv_output.h"
#include "output/heading_name_check.h"
#include "output/layout_writer.h"
#include "text/encoding.h"
#include "ui/toolkit.h"
#include "ui/typing.h"

namespace headly {

namespace {

constexpr char kTextFilter[] = "ﾃｷｽﾄ形式(*.TXT)";
// A longer heading value is cut to this many bytes in the message, followed
// by "…".
constexpr int kShownValueBytes = 64;

// File mode: the save dialog for the layout file. The dialog asks before an
// existing file is replaced; that file keeps its bytes until the new one is
// complete.
void chooseLayoutFile(Program& program) {
  AppState& state = program.state;
  state.selectedPath =
      program.ui.saveFileDialog(sjis("データファイルの書き込み"), state.workFolder + "HEADLY.TXT", sjis(kTextFilter));
}

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

void writeCsvFile(Program& program) {
  AppState& s = program.state;
  s.selectedPath =
      program.ui.saveFileDialog(sjis("ＣＳＶファイルの書き込み"), s.workFolder + "*.TXT", sjis(kTextFilter));
  if (isEscMarker(s.selectedPath)) return;
  // The dialog asked before an existing file is replaced; it keeps its bytes
  // until the new file is complete.
  writeCsvLines(s, program.files, s.selectedPath, program.progress);
}

void runWriter(Program& program) {
  AppState& state = program.state;
  const bool folderMode = state.options.folderMode;
  if (folderMode)
    runFolderDialog(program);
  else
    chooseLayoutFile(program);
  if (isEscMarker(state.selectedPath)) return;
  if (folderMode) {
    const std::optional<RefusedHeading> refused = findRefusedHeading(state, state.selectedPath, program.progress);
    if (refused) {
      reportRefusedHeading(program.ui, *refused);
      return;
    }
  }
  writeLayout(state, program.files, state.selectedPath, program.progress);
}

}  // namespace headly
