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
bool previousItemWraps(const AppState& state, int n) {
  return state.layout[size_t(n - 1)].charsPerLine < float(state.itemMaxLength[size_t(n - 1)]);
}

int joinChoice(Ui& ui) { return ui.getCheck(form2::kJoinPrevious) == 1 ? -1 : 0; }

float lineWidthWith(const ItemLayout& item) { return item.startColumn + item.indent + item.charsPerLine; }

// Fills FORM2 for item n. The radio pair is left as the user last set it.
void prepareForm2(Program& program, int n) {
  Ui& ui = program.ui;
  AppState& state = program.state;
  ItemLayout& item = state.layout[size_t(n)];
  ui.setText(form2::kForm, sjis("項目「") + itemName(state, n) + sjis("」の設定"));
  showDelimiterField(ui, form2::kDelimiterBefore, item.delimiterBefore);
  showDelimiterField(ui, form2::kDelimiterAfter, item.delimiterAfter);
  ui.setVisible(form2::kCharsPerLine, true);
  ui.setVisible(form2::kCharsPerLineLabel, true);
  normaliseCharsPerLine(ui, state, n);
  if (previousItemWraps(state, n) && item.indent == 0) item.indent = 2;
  if (state.fullWidth == 1) {
    ui.setText(form2::kEvenNote, sjis("（偶数で）"));
  } else {
    ui.setText(form2::kEvenNote, "");
    ui.setVisible(form2::kCharsPerLine, false);
    ui.setVisible(form2::kCharsPerLineLabel, false);
  }
  item.joinPrevious = joinChoice(ui);
  state.enteredIndent = item.indent;
  showNumberField(ui, form2::kBlanks, item.indent);
  ui.setText(form2::kMaxLength, maxLengthText(state.itemMaxLength[size_t(n)]));
}

// Stores what the user entered. The characters per line are corrected
// against the longest value as the dialog showed it; the line statistics
// follow the longest value with the new delimiters, as the writer cuts it,
// so that the preview shows what will be written.
void readForm2(Program& program, int n) {
  Ui& ui = program.ui;
  AppState& state = program.state;
  ItemLayout& item = state.layout[size_t(n)];
  const bool fullWidth = state.fullWidth == 1;
  item.charsPerLine = readNumberField(ui, form2::kCharsPerLine);
  normaliseCharsPerLine(ui, state, n);

  float blanks = readNumberField(ui, form2::kBlanks);
  if (previousItemWraps(state, n) && blanks == 0) blanks = 2;
  item.delimiterBefore = ui.getText(form2::kDelimiterBefore);
  item.delimiterAfter = ui.getText(form2::kDelimiterAfter);
  if (fullWidth) {
    blanks = float(floorOf(blanks / 2.0) * 2.0);
    item.delimiterBefore = toFullWidth(item.delimiterBefore);
    item.delimiterAfter = toFullWidth(item.delimiterAfter);
  }
  if (blanks < 1) blanks = 0;
  state.enteredIndent = blanks;

  int32_t& maxLength = state.itemMaxLength[size_t(n)];
  maxLength = byteLength(item.delimiterBefore) + roundToInt(item.valueMaxLength) + byteLength(item.delimiterAfter);
  if (!fullWidth) item.charsPerLine = float(maxLength);
  updateLineStatistics(state, n);
  item.indent = state.enteredIndent;
  item.joinPrevious = joinChoice(ui);
  state.lineWidth = lineWidthWith(item);
}

}  // namespace

Form2Exit runForm2Stage(Program& program) {
  Ui& ui = program.ui;
  AppState& state = program.state;
  for (;;) {
    const int n = state.currentItem;
    prepareForm2(program, n);
    state.lineWidth = lineWidthWith(state.layout[size_t(n)]);
    drawPreview(program.drawing, state, n);
    const int code = showFormAndWait(ui, form2::kForm);
    if (code == form2::kCancel) return Form2Exit::Cancelled;
    readForm2(program, n);
    if (code == form2::kTest) continue;

    if (code == form2::kBack) {
      const int previous = --state.currentItem;
      if (previous != state.firstBodyItem) continue;
      // Back to the first body item, which is set on FORM4 again.
      const ItemLayout& first = state.layout[size_t(previous)];
      state.lineWidth = first.startColumn + first.charsPerLine;
      state.enteredIndent = first.indent;
      const float headingIndent = state.layout[size_t(previous - 1)].indent;
      state.minIndent = state.options.folderMode ? headingIndent : headingIndent + levelStep(state);
      state.firstBodyItem = state.lastItemIndex;
      return Form2Exit::BackToForm4;
    }
    if (!confirmItem(program, n)) continue;

    const ItemLayout& item = state.layout[size_t(n)];
    state.layout[size_t(n + 1)].startColumn = item.startColumn + item.indent + item.charsPerLine;
    if (++state.currentItem > state.lastItemIndex) return Form2Exit::Complete;
  }
}

}  // namespace headly
