// What the two item dialogs (FORM4 and FORM2) share: their walk, how numbers and
// delimiters are put into and read from their fields, the texts built from
// an item, showing a form until a button is pressed, and the question that
// confirms an item.
#pragma once

#include <cstdint>
#include <string>

#include "app/program.h"
#include "output/drawing.h"
#include "session/layout.h"
#include "session/record_cells.h"

namespace headly {

// The walk through the item dialogs, which lives while the items are set:
// the cells it lays out, the layout settings as they stand, the item shown,
// the indent entered and the smallest indent allowed.
struct ItemWalk {
  Ui& ui;
  Drawing& drawing;
  const RecordCells& cells;
  const int headingCount;
  LayoutSettings settings;
  int currentItem = 0;
  float enteredIndent = 0;
  float minIndent = 0;

  bool fullWidth() const { return cells.options().fullWidth; }
  bool folderMode() const { return cells.options().folderMode; }
  int lastItemIndex() const { return cells.lastItemIndex(); }
};

// A number as the fields show it: decimal, without the sign position.
SjisString fieldNumberText(float value);
// Number fields take digits (input method in mode 6); delimiter fields any
// text (mode 0). The mode is set each time the text is.
void showNumberField(Ui& ui, const std::string& edit, float value);
void showDelimiterField(Ui& ui, const std::string& edit, const SjisString& text);
// The numeric value of a field's text; text that is not a number gives 0.
float readNumberField(Ui& ui, const std::string& edit);

// The item's name: its field in the header row.
SjisString itemName(const ItemWalk& walk, int item);
// "最大文字数 12字": the longest value of an item.
SjisString maxLengthText(int32_t maxLength);

// Shows the form on top, waits for a button and hides the form again.
int showFormAndWait(Ui& ui, const std::string& form);
// Draws the preview and asks whether the item's settings are right; true
// unless the user answered No.
bool confirmItem(ItemWalk& walk, int item);

}  // namespace headly
