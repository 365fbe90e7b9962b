#include "app/base_folder.h"

#include "text/encoding.h"
#include "text/numbers.h"
#include "system/text_files.h"
#include "ui/toolkit.h"

namespace headly {

bool makeBaseFolder(Program& program, const SjisString& name) {
  AppState& state = program.state;
  const SjisString caption = sjis("指定したフォルダは既に存在しています。");
  const SjisString question = sjis("作成フォルダーの末尾に数字を付けて作成しますか？");
  SjisString candidate = name;
  for (int32_t clashNumber = 1;; ++clashNumber) {
    state.selectedPath = state.workFolder + candidate;
    // Only a folder counts as a clash; a file of that name makes makeFolder fail.
    if (!program.files.folderExists(state.selectedPath)) {
      if (clashNumber == 1) program.ui.diskQuestionNotAsked(caption, question, kAnswerYes);
      break;
    }
    const int answer = program.ui.diskQuestion(caption, question, Buttons::YesNo, Icon::Exclamation);
    if (answer == kAnswerNo) return false;
    candidate = name + "_[" + countText(clashNumber) + "]";
  }
  program.files.makeFolder(state.selectedPath);
  return true;
}

}  // namespace headly
