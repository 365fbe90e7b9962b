#include "output/heading_name_check.h"

#include <optional>
#include <string>

#include "app/work_progress.h"
#include "folders/heading_folders.h"
#include "output/heading_breaks.h"
#include "output/heading_names.h"
#include "text/encoding.h"
#include "text/file_system.h"
#include "text/path_text.h"
#include "ui/toolkit.h"
#include "ui/typing.h"

namespace headly {

namespace {

constexpr size_t kMaxPath = 260;
// A longer value is cut to this many bytes in the message, followed by "…".
constexpr int kShownValueBytes = 64;

void reportNameFault(Ui& ui, std::string_view value, NameFault fault) {
  SjisString shown = value.empty() ? sjis("？") : cutToBytes(value, kShownValueBytes);
  if (shown.size() < value.size()) shown += sjis("…");
  const char* reason = fault == NameFault::BadCharacters ? "」はフォルダ名・ファイル名に使えない文字を含むため出力できません"
                       : fault == NameFault::NameTooLong ? "」はフォルダ名・ファイル名には長すぎるため出力できません"
                                                         : "」のフォルダ・ファイルのパスが260バイトを超えるため出力できません";
  ui.messageBox(sjis("処理エラー"), sjis("見出し「") + shown + sjis(reason), Buttons::Ok, Icon::Stop);
}

}  // namespace

NameFault nameFault(const SjisString& name, const SjisString& path) {
  const std::optional<std::string> native = toUtf8Exact(name);
  if (!native || !isPlainName(name)) return NameFault::BadCharacters;
  if (native->size() > kMaxNativeNameBytes) return NameFault::NameTooLong;
  if (path.size() > kMaxPath) return NameFault::PathTooLong;
  return NameFault::None;
}

bool headingNamesFit(Program& program) {
  const AppState& state = program.state;
  HeadingBreaks breaks(state.cells, true);
  HeadingNames names(state.firstBodyItem, program.ui.getCheck("CHECK5") == 1, state.recordCount);
  HeadingPaths paths(state.selectedPath, state.firstBodyItem);
  WorkProgress progress(program.ui, "見出し名の確認中");
  for (int32_t r = 1; r <= state.recordCount; ++r) {
    for (int32_t i = 0; i < state.firstBodyItem; ++i) {
      if (!breaks.breaksAt(r, i)) continue;
      const std::string_view value = state.cells.get(r, i);
      const SjisString& name = names.nameAtBreak(i, value);
      const NameFault fault = nameFault(name, paths.pathAt(i, name));
      if (fault != NameFault::None) {
        progress.finish();
        reportNameFault(program.ui, value, fault);
        return false;
      }
    }
    progress.step(r);
  }
  progress.finish();
  return true;
}

}  // namespace headly
