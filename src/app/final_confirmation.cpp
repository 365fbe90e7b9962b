#include "app/item_settings.h"
#include "text/encoding.h"
#include "ui/toolkit.h"

namespace headly {

// The preview still shows the whole layout: it was drawn for the last item
// right before that item's confirmation.
bool confirmLayout(Program& program) {
  return program.ui.messageBox(sjis("レイアウト最終確認画面"), sjis("「いいえ」で全てやり直せます"), Buttons::YesNo,
                               Icon::Question) == kAnswerYes;
}

}  // namespace headly
