#include "app/form4_stage.h"

#include "app/item_dialog.h"
#include "app/layout_rules.h"
#include "output/preview.h"
#include "text/encoding.h"
#include "text/numbers.h"
#include "ui/form_controls.h"
#include "ui/toolkit.h"

namespace headly {

namespace {

// The indent offered for item n: one level below the previous item unless
// the user already entered more (or, in folder mode, what was entered last).
float proposedIndent(const ItemWalk& walk, int n, bool folderMode) {
  if (n == 0) return 0;
  const float previous = walk.settings.items[size_t(n - 1)].indent;
  const bool stepDown = previous >= walk.enteredIndent && !(walk.fullWidth() && folderMode);
  return stepDown ? previous + levelStep(walk.fullWidth()) : walk.enteredIndent;
}

// Fills FORM4 for item n and stores the proposed indent as the item's.
void prepareForm4(ItemWalk& walk, int n, bool folderMode) {
  Ui& ui = walk.ui;
  for (const char* control :
       {form4::kCharsPerLine, form4::kCharsPerLineLabel, form4::kIndent, form4::kIndentLabel, form4::kBackButton})
    ui.setVisible(control, true);
  normaliseCharsPerLine(ui, walk.settings, n, walk.fullWidth(), walk.headingCount);

  const SjisString caption = sjis("項目「") + itemName(walk, n) + sjis("」の段落数の設定");
  if (walk.fullWidth()) {
    ui.setText(form4::kForm, caption + sjis("（全角モード）"));
    ui.setText(form4::kIndentLabel, sjis("字空ける（前の段落数より大きく偶数で設定）"));
  } else {
    ui.setText(form4::kForm, caption);
    ui.setText(form4::kIndentLabel, sjis("字空ける（前の段落数より大きく設定）"));
    ui.setVisible(form4::kCharsPerLine, false);
    ui.setVisible(form4::kCharsPerLineLabel, false);
  }
  // The first item always starts in column 0 and has no way back.
  if (n == 0)
    for (const char* control : {form4::kIndent, form4::kIndentLabel, form4::kBackButton}) ui.setVisible(control, false);

  const float proposed = proposedIndent(walk, n, folderMode);
  showNumberField(ui, form4::kIndent, proposed);
  ui.setText(form4::kMaxLength, maxLengthText(walk.settings.itemMaxLength[size_t(n)]));
  walk.settings.items[size_t(n)].indent = proposed;
}

}  // namespace

bool runForm4Stage(ItemWalk& walk) {
  Ui& ui = walk.ui;
  const bool folderMode = walk.folderMode();
  for (;;) {
    // Heading items get no layout in folder mode: their values become names.
    if (folderMode) walk.currentItem = walk.headingCount;
    int n = walk.currentItem;
    prepareForm4(walk, n, folderMode);
    computeLineWidth(walk.settings, n, folderMode);
    drawPreview(walk.drawing, walk.cells, walk.settings, n);
    const int code = showFormAndWait(ui, form4::kForm);
    if (code == form4::kCancel) return false;

    walk.settings.items[size_t(n)].charsPerLine = readNumberField(ui, form4::kCharsPerLine);
    normaliseCharsPerLine(ui, walk.settings, n, walk.fullWidth(), walk.headingCount);
    walk.enteredIndent = readNumberField(ui, form4::kIndent);
    if (walk.fullWidth()) walk.enteredIndent = float(floorOf(walk.enteredIndent / 2.0) * 2.0);
    // Too small an indent is raised to the smallest one allowed without a
    // word; the dialog comes back proposing it.
    if (n != 0 && walk.enteredIndent < walk.minIndent) {
      walk.enteredIndent = walk.minIndent;
      continue;
    }
    walk.settings.items[size_t(n)].indent = walk.enteredIndent;
    walk.settings.items[size_t(n)].startColumn = walk.enteredIndent;

    if (code == form4::kBack) {
      n = --walk.currentItem;
      walk.enteredIndent = walk.settings.items[size_t(n)].indent;
      walk.minIndent = n == 0 ? 0.0f : walk.settings.items[size_t(n - 1)].indent + levelStep(walk.fullWidth());
    }
    computeLineWidth(walk.settings, n, folderMode);
    if (code == form4::kTest || code == form4::kBack) continue;
    if (!confirmItem(walk, n)) continue;

    // The next level starts at least one step further in.
    walk.minIndent = walk.enteredIndent + levelStep(walk.fullWidth());
    walk.settings.items[size_t(n + 1)].startColumn = walk.minIndent;
    if (n < walk.headingCount) {
      ++walk.currentItem;
      continue;
    }
    return true;
  }
}

}  // namespace headly
