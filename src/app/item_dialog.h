// What the two item dialogs (FORM4 and FORM2) share: how numbers and
// delimiters are put into and read from their fields, the texts built from
// an item, showing a form until a button is pressed, and the question that
// confirms an item.
#pragma once

#include <cstdint>
#include <string>

#include "app/app_state.h"

namespace headly {

// A number as the fields show it: decimal, without the sign position.
SjisString fieldNumberText(float value);
// Number fields take digits (input method in mode 6); delimiter fields any
// text (mode 0). The mode is set each time the text is.
void showNumberField(Ui& ui, const std::string& edit, float value);
void showDelimiterField(Ui& ui, const std::string& edit, const SjisString& text);
// The numeric value of a field's text; text that is not a number gives 0.
float readNumberField(Ui& ui, const std::string& edit);

// The item's name: its field in the header row.
SjisString itemName(const AppState& state, int item);
// "最大文字数 12字": the longest value of an item.
SjisString maxLengthText(int32_t maxLength);

// Shows the form on top, waits for a button and hides the form again.
int showFormAndWait(Ui& ui, const std::string& form);
// Draws the preview and asks whether the item's settings are right; true
// unless the user answered No.
bool confirmItem(Program& program, int item);

}  // namespace headly
