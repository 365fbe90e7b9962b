#include "app/full_width_option.h"

#include "text/encoding.h"
#include "ui/toolkit.h"

namespace headly {

std::optional<RunOptions> askFullWidth(Ui& ui, RunOptions options) {
  // Folder and file names are made from heading values, so folder mode
  // always converts; the user is only told.
  if (options.folderMode) {
    ui.messageBox(sjis("データの全角化のお知らせメッセージ"), sjis("文字データを全て全角化します。"), Buttons::Ok,
                  Icon::Exclamation);
    options.fullWidth = true;
    return options;
  }
  const int answer =
      ui.messageBox(sjis("全角化の指定"), sjis("文字データを全角化しますか？"), Buttons::YesNoCancel, Icon::Question);
  if (answer == kAnswerCancel) return std::nullopt;
  if (answer == kAnswerYes) options.fullWidth = true;
  return options;
}

}  // namespace headly
