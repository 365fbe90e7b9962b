#include "app/classification.h"

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

// The walk through FORM3: every item's class, the two lists' orders (item
// numbers in list order, -1 after the last) and counts, the item of every
// LIST1 row, and room for the rows that stay when rows are moved back.
struct ClassificationWalk {
  explicit ClassificationWalk(const ItemNames& itemNames) : names(itemNames) {
    const size_t items = size_t(names.lastItemIndex()) + 1;
    itemClass.assign(items, kUnclassified);
    headingOrder.assign(items, -1);
    otherOrder.assign(items, -1);
    list1Items.assign(items, 0);
    orderScratch.assign(items, -1);
  }
  const ItemNames& names;
  std::vector<int> itemClass;  // 1 unclassified, 0 heading item, -1 other item
  std::vector<int> headingOrder, otherOrder;
  int headingCount = 0, otherCount = 0;
  std::vector<int> list1Items, orderScratch;
};

SjisString itemName(const ClassificationWalk& s, int item) { return SjisString(s.names.name(item)); }

// One of the two target lists with the state behind it.
struct ItemList {
  const char* control;
  int itemClass;
  std::vector<int>& order;
  int& count;
};

ItemList headingList(ClassificationWalk& s) { return {form3::kHeadings, kHeadingClass, s.headingOrder, s.headingCount}; }
ItemList otherList(ClassificationWalk& s) { return {form3::kOthers, kOtherClass, s.otherOrder, s.otherCount}; }

// Appends the selected rows of LIST1 to the end of the list, in LIST1 order.
void moveToList(Ui& ui, ClassificationWalk& s, ItemList list) {
  const int rows = ui.listCount(form3::kItems);
  for (int row = 0; row < rows; ++row) {
    if (!ui.listSelected(form3::kItems, row)) continue;
    const int item = s.list1Items[size_t(row)];
    s.itemClass[size_t(item)] = list.itemClass;
    list.order[size_t(list.count)] = item;
    ++list.count;
  }
}

// Returns the selected rows of the list to LIST1; the rows that stay keep
// their order. orderScratch is all -1 after the list refresh, so the entries
// after the kept ones become -1.
void moveBack(Ui& ui, ClassificationWalk& s, ItemList list) {
  const int rows = ui.listCount(list.control);
  if (rows == 0) return;
  int kept = 0;
  for (int row = 0; row < rows; ++row) {
    const int item = list.order[size_t(row)];
    if (ui.listSelected(list.control, row))
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

// Rebuilds LIST1 to LIST3 from the walk (every selection is cleared).
void refreshItemLists(Ui& ui, ClassificationWalk& s) {
  ui.listClear(form3::kItems);
  ui.listClear(form3::kHeadings);
  ui.listClear(form3::kOthers);
  int row = 0;
  for (int i = 0; i <= s.names.lastItemIndex(); ++i) {
    if (s.itemClass[size_t(i)] == kUnclassified) {
      ui.listAdd(form3::kItems, itemName(s, i));
      s.list1Items[size_t(row++)] = i;
    }
    if (s.headingOrder[size_t(i)] > -1) ui.listAdd(form3::kHeadings, itemName(s, s.headingOrder[size_t(i)]));
    if (s.otherOrder[size_t(i)] > -1) ui.listAdd(form3::kOthers, itemName(s, s.otherOrder[size_t(i)]));
    s.orderScratch[size_t(i)] = -1;
  }
}

// The list's items in their order.
std::vector<int> listed(const std::vector<int>& order, int count) {
  return std::vector<int>(order.begin(), order.begin() + count);
}

}  // namespace

Classification classifyItems(Ui& ui, const ItemNames& names) {
  ClassificationWalk s(names);
  ui.setVisible(form3::kForm, true);
  ui.setTopMost(form3::kForm, true);
  for (;;) {
    refreshItemLists(ui, s);
    switch (ui.waitForEvent()) {
      case form3::kFinish: {
        const RunOptions options = chosenOptions(ui);
        ui.setVisible(form3::kForm, false);
        return Classification(listed(s.headingOrder, s.headingCount), listed(s.otherOrder, s.otherCount), options);
      }
      case form3::kToHeadings:
        moveToList(ui, s, headingList(s));
        break;
      case form3::kFromHeadings:
        moveBack(ui, s, headingList(s));
        break;
      case form3::kToOthers:
        moveToList(ui, s, otherList(s));
        break;
      case form3::kFromOthers:
        moveBack(ui, s, otherList(s));
        break;
      default:
        break;
    }
  }
}

bool bothItemKindsPresent(Ui& ui, const Classification& classification) {
  if (classification.headingCount() > 0 && classification.otherCount() > 0) return true;
  ui.messageBox(sjis(kForcedEndCaption), sjis(classification.headingCount() == 0 ? kNoHeadingItems : kNoOtherItems),
                Buttons::Ok, Icon::Exclamation);
  return false;
}

}  // namespace headly
