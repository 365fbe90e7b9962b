#include "app/base_folder.h"

#include "text/encoding.h"
#include "text/numbers.h"
#include "system/text_files.h"
#include "ui/toolkit.h"

namespace headly {

std::optional<SjisString> makeBaseFolder(Ui& ui, TextFiles& files, const SjisString& folder, const SjisString& name) {
  const SjisString caption = sjis("指定したフォルダは既に存在しています。");
  const SjisString question = sjis("作成フォルダーの末尾に数字を付けて作成しますか？");
  SjisString candidate = name;
  SjisString path;
  for (int32_t clashNumber = 1;; ++clashNumber) {
    path = folder + candidate;
    // Only a folder counts as a clash; a file of that name makes makeFolder fail.
    if (!files.folderExists(path)) {
      if (clashNumber == 1) ui.diskQuestionNotAsked(caption, question, kAnswerYes);
      break;
    }
    const int answer = ui.diskQuestion(caption, question, Buttons::YesNo, Icon::Exclamation);
    if (answer == kAnswerNo) return std::nullopt;
    candidate = name + "_[" + countText(clashNumber) + "]";
  }
  files.makeFolder(path);
  return path;
}

}  // namespace headly
