// The width rules of the item layout: the characters per line an item may
// use, the lines its longest value takes, and the width of the layout.
#pragma once

#include <cstdint>

#include "app/app_state.h"

namespace headly {

// The characters per line the layout can use for an item whose longest
// value (delimiters included) is maxLength bytes. Without full-width
// conversion a value never wraps. With it the count is even, at least 2, and
// never more than the value needs.
float correctCharsPerLine(float charsPerLine, int32_t maxLength, bool fullWidth);

// Full lines and the bytes left over when a value of maxLength bytes is cut
// into lines of charsPerLine bytes.
struct LineStatistics {
  int32_t fullLines = 0;
  int32_t remainder = 0;
};
LineStatistics lineStatistics(int32_t maxLength, float charsPerLine);
// Sets fullLines and remainder of the item from its longest value.
void updateLineStatistics(AppState& state, int item);

// Corrects charsPerLine of the item, shows it in the item's dialog (EDIT5 on
// FORM4, EDIT6 on FORM2) and updates fullLines and remainder.
void normaliseCharsPerLine(Ui& ui, AppState& state, int item);

// The smallest step in columns from one heading level to the next: full-width
// text takes two columns a character.
float levelStep(const AppState& state);

// lineWidth while the headings are set: the widest indent + charsPerLine of
// items 0..item, or of the item alone in folder mode (each heading there
// goes to a folder or file name of its own).
void computeLineWidth(AppState& state, int item, bool folderMode);

}  // namespace headly
