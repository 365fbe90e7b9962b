#include "app/item_settings.h"

#include "app/form2_stage.h"
#include "app/form4_stage.h"

namespace headly {

namespace {

// Everything the walk sets is created anew; charsPerLine, valueMaxLength and
// itemMaxLength keep what the last pass left, so a restart offers the
// values confirmed before.
void resetItemSettings(AppState& state) {
  for (ItemLayout& item : state.layout) {
    item.indent = 0;
    item.startColumn = 0;
    item.delimiterBefore.clear();
    item.delimiterAfter.clear();
    item.joinPrevious = 0;
  }
  state.currentItem = 0;
  state.enteredIndent = 0;
  state.minIndent = 0;
  state.firstBodyItem = state.lastItemIndex;
  state.lineWidth = float(state.itemMaxLength[0]);
}

// The first body item always joins the heading column it was given; the
// next item's cell starts right after it.
void finishForm4Stage(AppState& state) {
  const int n = state.currentItem;
  ItemLayout& first = state.layout[size_t(n)];
  state.firstBodyItem = n;
  first.joinPrevious = -1;
  state.lineWidth = first.indent + first.charsPerLine;
  state.layout[size_t(n + 1)].startColumn = first.startColumn + first.charsPerLine;
}

}  // namespace

bool runItemSettings(Program& program) {
  AppState& state = program.state;
  resetItemSettings(state);
  for (;;) {
    if (!runForm4Stage(program)) return false;
    finishForm4Stage(state);
    if (state.currentItem == state.lastItemIndex) return true;
    ++state.currentItem;
    switch (runForm2Stage(program)) {
      case Form2Exit::Cancelled: return false;
      case Form2Exit::Complete: return true;
      case Form2Exit::BackToForm4: break;
    }
  }
}

}  // namespace headly
