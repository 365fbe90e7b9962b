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
float proposedIndent(const AppState& state, int n, bool folderMode) {
  if (n == 0) return 0;
  const float previous = state.layout[size_t(n - 1)].indent;
  const bool stepDown = previous >= state.enteredIndent && !(state.fullWidth == 1 && folderMode);
  return stepDown ? previous + levelStep(state) : state.enteredIndent;
}

// Fills FORM4 for item n and stores the proposed indent as the item's.
void prepareForm4(Program& program, int n, bool folderMode) {
  Ui& ui = program.ui;
  AppState& state = program.state;
  for (const char* control :
       {form4::kCharsPerLine, form4::kCharsPerLineLabel, form4::kIndent, form4::kIndentLabel, form4::kBackButton})
    ui.setVisible(control, true);
  normaliseCharsPerLine(ui, state, n);

  const SjisString caption = sjis("項目「") + itemName(state, n) + sjis("」の段落数の設定");
  if (state.fullWidth == 1) {
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

  const float proposed = proposedIndent(state, n, folderMode);
  showNumberField(ui, form4::kIndent, proposed);
  ui.setText(form4::kMaxLength, maxLengthText(state.itemMaxLength[size_t(n)]));
  state.layout[size_t(n)].indent = proposed;
}

}  // namespace

bool runForm4Stage(Program& program) {
  Ui& ui = program.ui;
  AppState& state = program.state;
  const bool folderMode = state.options.folderMode;
  for (;;) {
    // Heading items get no layout in folder mode: their values become names.
    if (folderMode) state.currentItem = state.headingCount;
    int n = state.currentItem;
    prepareForm4(program, n, folderMode);
    computeLineWidth(state, n, folderMode);
    drawPreview(program.drawing, state, n);
    const int code = showFormAndWait(ui, form4::kForm);
    if (code == form4::kCancel) return false;

    state.layout[size_t(n)].charsPerLine = readNumberField(ui, form4::kCharsPerLine);
    normaliseCharsPerLine(ui, state, n);
    state.enteredIndent = readNumberField(ui, form4::kIndent);
    if (state.fullWidth == 1) state.enteredIndent = float(floorOf(state.enteredIndent / 2.0) * 2.0);
    // Too small an indent is raised to the smallest one allowed without a
    // word; the dialog comes back proposing it.
    if (n != 0 && state.enteredIndent < state.minIndent) {
      state.enteredIndent = state.minIndent;
      continue;
    }
    state.layout[size_t(n)].indent = state.enteredIndent;
    state.layout[size_t(n)].startColumn = state.enteredIndent;

    if (code == form4::kBack) {
      n = --state.currentItem;
      state.enteredIndent = state.layout[size_t(n)].indent;
      state.minIndent = n == 0 ? 0.0f : state.layout[size_t(n - 1)].indent + levelStep(state);
    }
    computeLineWidth(state, n, folderMode);
    if (code == form4::kTest || code == form4::kBack) continue;
    if (!confirmItem(program, n)) continue;

    // The next level starts at least one step further in.
    state.minIndent = state.enteredIndent + levelStep(state);
    state.layout[size_t(n + 1)].startColumn = state.minIndent;
    if (n < state.headingCount) {
      ++state.currentItem;
      continue;
    }
    return true;
  }
}

}  // namespace headly
