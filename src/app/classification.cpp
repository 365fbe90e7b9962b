#include "app/classification.h"

#include "app/item_dialog.h"
#include "text/encoding.h"
#include "ui/form_controls.h"
#include "ui/toolkit.h"

namespace headly {

namespace {

constexpr char kForcedEndCaption[] = "強制終了";
constexpr char kNoHeadingItems[] = "見出しになる項目が無いので終了します。";
constexpr char kNoOtherItems[] = "見出し以外の項目が無いので終了します。";

constexpr int kUnclassified = 1;
constexpr int kHeadingClass = 0;
constexpr int kOtherClass = -1;

// One of the two target lists with the state behind it.
struct ItemList {
  const char* control;
  int itemClass;
  std::vector<int>& order;
  int& count;
};

ItemList headingList(AppState& s) { return {form3::kHeadings, kHeadingClass, s.headingOrder, s.headingCount}; }
ItemList otherList(AppState& s) { return {form3::kOthers, kOtherClass, s.otherOrder, s.otherCount}; }

// Appends the selected rows of LIST1 to the end of the list, in LIST1 order.
void moveToList(Program& program, ItemList list) {
  AppState& s = program.state;
  const int rows = program.ui.listCount(form3::kItems);
  for (int row = 0; row < rows; ++row) {
    if (!program.ui.listSelected(form3::kItems, row)) continue;
    const int item = s.list1Items[size_t(row)];
    s.itemClass[size_t(item)] = list.itemClass;
    list.order[size_t(list.count)] = item;
    ++list.count;
  }
}

// Returns the selected rows of the list to LIST1; the rows that stay keep
// their order. orderScratch is all -1 after the list refresh, so the entries
// after the kept ones become -1.
void moveBack(Program& program, ItemList list) {
  AppState& s = program.state;
  const int rows = program.ui.listCount(list.control);
  if (rows == 0) return;
  int kept = 0;
  for (int row = 0; row < rows; ++row) {
    const int item = list.order[size_t(row)];
    if (program.ui.listSelected(list.control, row))
      s.itemClass[size_t(item)] = kUnclassified;
    else
      s.orderScratch[size_t(kept++)] = item;
    list.order[size_t(row)] = -1;
  }
  list.count = 0;
  for (int row = 0; row < rows; ++row) {
    list.order[size_t(row)] = s.orderScratch[size_t(row)];
    if (list.order[size_t(row)] > -1) ++list.count;
  }
}

// The options as the check boxes stand when "終了" is pressed.
RunOptions chosenOptions(Ui& ui) {
  RunOptions options;
  options.makeHeadings = ui.getCheck(form3::kMakeHeadings) == 1;
  options.writeCsv = ui.getCheck(form3::kWriteCsv) == 1;
  options.folderMode = ui.getCheck(form3::kFolderMode) == 1;
  options.numbering = ui.getCheck(form3::kNumbering) == 1;
  return options;
}

void setUpClassification(AppState& s) {
  const size_t items = size_t(s.lastItemIndex) + 1;
  s.itemClass.assign(items, kUnclassified);
  s.headingOrder.assign(items, -1);
  s.otherOrder.assign(items, -1);
  s.list1Items.assign(items, 0);
  s.orderScratch.assign(items, -1);
  s.headingCount = 0;
  s.otherCount = 0;
}

}  // namespace

void refreshItemLists(Program& program) {
  Ui& ui = program.ui;
  AppState& s = program.state;
  ui.listClear(form3::kItems);
  ui.listClear(form3::kHeadings);
  ui.listClear(form3::kOthers);
  int row = 0;
  for (int i = 0; i <= s.lastItemIndex; ++i) {
    if (s.itemClass[size_t(i)] == kUnclassified) {
      ui.listAdd(form3::kItems, itemName(s, i));
      s.list1Items[size_t(row++)] = i;
    }
    if (s.headingOrder[size_t(i)] > -1) ui.listAdd(form3::kHeadings, itemName(s, s.headingOrder[size_t(i)]));
    if (s.otherOrder[size_t(i)] > -1) ui.listAdd(form3::kOthers, itemName(s, s.otherOrder[size_t(i)]));
    s.orderScratch[size_t(i)] = -1;
  }
}

void classifyItems(Program& program) {
  Ui& ui = program.ui;
  AppState& s = program.state;
  setUpClassification(s);
  ui.setVisible(form3::kForm, true);
  ui.setTopMost(form3::kForm, true);
  for (;;) {
    refreshItemLists(program);
    switch (ui.waitForEvent()) {
      case form3::kFinish:
        s.options = chosenOptions(ui);
        ui.setVisible(form3::kForm, false);
        return;
      case form3::kToHeadings:
        moveToList(program, headingList(s));
        break;
      case form3::kFromHeadings:
        moveBack(program, headingList(s));
        break;
      case form3::kToOthers:
        moveToList(program, otherList(s));
        break;
      case form3::kFromOthers:
        moveBack(program, otherList(s));
        break;
      default:
        break;
    }
  }
}

bool bothItemKindsPresent(Program& program) {
  const AppState& s = program.state;
  if (s.headingCount > 0 && s.otherCount > 0) return true;
  program.ui.messageBox(sjis(kForcedEndCaption), sjis(s.headingCount == 0 ? kNoHeadingItems : kNoOtherItems),
                        Buttons::Ok, Icon::Exclamation);
  return false;
}

}  // namespace headly
