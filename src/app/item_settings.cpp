#include "app/item_settings.h"

#include "app/form2_stage.h"
#include "app/form4_stage.h"
#include "app/item_dialog.h"
#include "text/encoding.h"
#include "ui/toolkit.h"

namespace headly {

namespace {

// Every item's width and longest value start as its longest text.
LayoutSettings firstSettings(const RecordCells& cells) {
  LayoutSettings settings;
  settings.itemMaxLength = cells.longest();
  settings.items.assign(size_t(cells.lastItemIndex()) + 2, ItemLayout{});
  for (int i = 0; i <= cells.lastItemIndex(); ++i) {
    settings.items[size_t(i)].charsPerLine = float(settings.itemMaxLength[size_t(i)]);
    settings.items[size_t(i)].valueMaxLength = float(settings.itemMaxLength[size_t(i)]);
  }
  return settings;
}

// Everything the walk sets is created anew; charsPerLine, valueMaxLength and
// itemMaxLength keep what the last pass left, so a restart offers the
// values confirmed before.
void resetItemSettings(ItemWalk& walk) {
  for (ItemLayout& item : walk.settings.items) {
    item.indent = 0;
    item.startColumn = 0;
    item.delimiterBefore.clear();
    item.delimiterAfter.clear();
    item.joinPrevious = 0;
  }
  walk.currentItem = 0;
  walk.enteredIndent = 0;
  walk.minIndent = 0;
  walk.settings.firstBodyItem = walk.lastItemIndex();
  walk.settings.lineWidth = float(walk.settings.itemMaxLength[0]);
}

// The first body item always joins the heading column it was given; the
// next item's cell starts right after it.
void finishForm4Stage(ItemWalk& walk) {
  const int n = walk.currentItem;
  ItemLayout& first = walk.settings.items[size_t(n)];
  walk.settings.firstBodyItem = n;
  first.joinPrevious = -1;
  walk.settings.lineWidth = first.indent + first.charsPerLine;
  walk.settings.items[size_t(n + 1)].startColumn = first.startColumn + first.charsPerLine;
}

// Walks every item once. False when a dialog was cancelled, true after the
// last item was confirmed.
bool walkItems(ItemWalk& walk) {
  resetItemSettings(walk);
  for (;;) {
    if (!runForm4Stage(walk)) return false;
    finishForm4Stage(walk);
    if (walk.currentItem == walk.lastItemIndex()) return true;
    ++walk.currentItem;
    switch (runForm2Stage(walk)) {
      case Form2Exit::Cancelled: return false;
      case Form2Exit::Complete: return true;
      case Form2Exit::BackToForm4: break;
    }
  }
}

// The final confirmation: true for Yes (write), false for No (redo the
// items). The preview still shows the whole layout: it was drawn for the
// last item right before that item's confirmation.
bool confirmLayout(Ui& ui) {
  return ui.messageBox(sjis("レイアウト最終確認画面"), sjis("「いいえ」で全てやり直せます"), Buttons::YesNo,
                       Icon::Question) == kAnswerYes;
}

}  // namespace

std::optional<Layout> settleLayout(Ui& ui, Drawing& drawing, const RecordCells& cells, int headingCount) {
  ItemWalk walk{ui, drawing, cells, headingCount, firstSettings(cells)};
  do {
    if (!walkItems(walk)) return std::nullopt;
  } while (!confirmLayout(ui));
  return Layout(std::move(walk.settings));
}

}  // namespace headly
