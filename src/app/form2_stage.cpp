#include "app/form2_stage.h"

#include "app/item_dialog.h"
#include "app/layout_rules.h"
#include "output/preview.h"
#include "text/encoding.h"
#include "text/full_width.h"
#include "text/numbers.h"
#include "ui/form_controls.h"
#include "ui/toolkit.h"

namespace headly {

namespace {

// A previous item that wraps takes more than one line; an item beside it
// then keeps at least two blanks of distance.
bool previousItemWraps(const ItemWalk& walk, int n) {
  return walk.settings.items[size_t(n - 1)].charsPerLine < float(walk.settings.itemMaxLength[size_t(n - 1)]);
}

int joinChoice(Ui& ui) { return ui.getCheck(form2::kJoinPrevious) == 1 ? -1 : 0; }

float lineWidthWith(const ItemLayout& item) { return item.startColumn + item.indent + item.charsPerLine; }

// Fills FORM2 for item n. The radio pair is left as the user last set it.
void prepareForm2(ItemWalk& walk, int n) {
  Ui& ui = walk.ui;
  ItemLayout& item = walk.settings.items[size_t(n)];
  ui.setText(form2::kForm, sjis("項目「") + itemName(walk, n) + sjis("」の設定"));
  showDelimiterField(ui, form2::kDelimiterBefore, item.delimiterBefore);
  showDelimiterField(ui, form2::kDelimiterAfter, item.delimiterAfter);
  ui.setVisible(form2::kCharsPerLine, true);
  ui.setVisible(form2::kCharsPerLineLabel, true);
  normaliseCharsPerLine(ui, walk.settings, n, walk.fullWidth(), walk.headingCount);
  if (previousItemWraps(walk, n) && item.indent == 0) item.indent = 2;
  if (walk.fullWidth()) {
    ui.setText(form2::kEvenNote, sjis("（偶数で）"));
  } else {
    ui.setText(form2::kEvenNote, "");
    ui.setVisible(form2::kCharsPerLine, false);
    ui.setVisible(form2::kCharsPerLineLabel, false);
  }
  item.joinPrevious = joinChoice(ui);
  walk.enteredIndent = item.indent;
  showNumberField(ui, form2::kBlanks, item.indent);
  ui.setText(form2::kMaxLength, maxLengthText(walk.settings.itemMaxLength[size_t(n)]));
}

// Stores what the user entered. The characters per line are corrected
// against the longest value as the dialog showed it; the line statistics
// follow the longest value with the new delimiters, as the writer cuts it,
// so that the preview shows what will be written.
void readForm2(ItemWalk& walk, int n) {
  Ui& ui = walk.ui;
  ItemLayout& item = walk.settings.items[size_t(n)];
  const bool fullWidth = walk.fullWidth();
  item.charsPerLine = readNumberField(ui, form2::kCharsPerLine);
  normaliseCharsPerLine(ui, walk.settings, n, walk.fullWidth(), walk.headingCount);

  float blanks = readNumberField(ui, form2::kBlanks);
  if (previousItemWraps(walk, n) && blanks == 0) blanks = 2;
  item.delimiterBefore = ui.getText(form2::kDelimiterBefore);
  item.delimiterAfter = ui.getText(form2::kDelimiterAfter);
  if (fullWidth) {
    blanks = float(floorOf(blanks / 2.0) * 2.0);
    item.delimiterBefore = toFullWidth(item.delimiterBefore);
    item.delimiterAfter = toFullWidth(item.delimiterAfter);
  }
  if (blanks < 1) blanks = 0;
  walk.enteredIndent = blanks;

  int32_t& maxLength = walk.settings.itemMaxLength[size_t(n)];
  maxLength = byteLength(item.delimiterBefore) + roundToInt(item.valueMaxLength) + byteLength(item.delimiterAfter);
  if (!fullWidth) item.charsPerLine = float(maxLength);
  updateLineStatistics(walk.settings, n);
  item.indent = walk.enteredIndent;
  item.joinPrevious = joinChoice(ui);
  walk.settings.lineWidth = lineWidthWith(item);
}

}  // namespace

Form2Exit runForm2Stage(ItemWalk& walk) {
  Ui& ui = walk.ui;
  for (;;) {
    const int n = walk.currentItem;
    prepareForm2(walk, n);
    walk.settings.lineWidth = lineWidthWith(walk.settings.items[size_t(n)]);
    drawPreview(walk.drawing, walk.cells, walk.settings, n);
    const int code = showFormAndWait(ui, form2::kForm);
    if (code == form2::kCancel) return Form2Exit::Cancelled;
    readForm2(walk, n);
    if (code == form2::kTest) continue;

    if (code == form2::kBack) {
      const int previous = --walk.currentItem;
      if (previous != walk.settings.firstBodyItem) continue;
      // Back to the first body item, which is set on FORM4 again.
      const ItemLayout& first = walk.settings.items[size_t(previous)];
      walk.settings.lineWidth = first.startColumn + first.charsPerLine;
      walk.enteredIndent = first.indent;
      const float headingIndent = walk.settings.items[size_t(previous - 1)].indent;
      walk.minIndent = walk.folderMode() ? headingIndent : headingIndent + levelStep(walk.fullWidth());
      walk.settings.firstBodyItem = walk.lastItemIndex();
      return Form2Exit::BackToForm4;
    }
    if (!confirmItem(walk, n)) continue;

    const ItemLayout& item = walk.settings.items[size_t(n)];
    walk.settings.items[size_t(n + 1)].startColumn = item.startColumn + item.indent + item.charsPerLine;
    if (++walk.currentItem > walk.lastItemIndex()) return Form2Exit::Complete;
  }
}

}  // namespace headly
