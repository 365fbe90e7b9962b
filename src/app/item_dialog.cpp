#include "app/item_dialog.h"

#include "output/preview.h"
#include "text/encoding.h"
#include "text/numbers.h"
#include "ui/toolkit.h"

namespace headly {

namespace {
constexpr int kImeDigits = 6;
constexpr int kImeOwnContext = 0;
}  // namespace

SjisString fieldNumberText(float value) { return midBytes(formatNumber(value), 2, kRestOfString); }

void showNumberField(Ui& ui, const std::string& edit, float value) {
  ui.setText(edit, fieldNumberText(value));
  ui.setImeMode(edit, kImeDigits);
}

void showDelimiterField(Ui& ui, const std::string& edit, const SjisString& text) {
  ui.setText(edit, text);
  ui.setImeMode(edit, kImeOwnContext);
}

float readNumberField(Ui& ui, const std::string& edit) { return float(parseNumber(ui.getText(edit))); }

SjisString itemName(const ItemWalk& walk, int item) { return walk.cells.itemName(item); }

SjisString maxLengthText(int32_t maxLength) { return sjis("最大文字数") + formatCount(maxLength) + sjis("字"); }

int showFormAndWait(Ui& ui, const std::string& form) {
  ui.setVisible(form, true);
  ui.setTopMost(form, true);
  const int code = ui.waitForEvent();
  ui.setVisible(form, false);
  return code;
}

bool confirmItem(ItemWalk& walk, int item) {
  drawPreview(walk.drawing, walk.cells, walk.settings, item);
  const SjisString question = sjis("項目「") + itemName(walk, item) + sjis("」の設定はこれでいいですか？");
  return walk.ui.messageBox(sjis("確認してください"), question, Buttons::YesNo, Icon::Question) != kAnswerNo;
}

}  // namespace headly
