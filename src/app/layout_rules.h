// The width rules of the item layout: the characters per line an item may
// use, the lines its longest value takes, and the width of the layout.
#pragma once

#include <cstdint>

#include "session/layout.h"
#include "ui/toolkit.h"

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
void updateLineStatistics(LayoutSettings& settings, int item);

// Corrects charsPerLine of the item, shows it in the item's dialog (EDIT5 on
// FORM4 for the heading items and the first body item, which comes after
// headingCount of them; EDIT6 on FORM2) and updates fullLines and remainder.
void normaliseCharsPerLine(Ui& ui, LayoutSettings& settings, int item, bool fullWidth, int headingCount);

// The smallest step in columns from one heading level to the next: full-width
// text takes two columns a character.
float levelStep(bool fullWidth);

// lineWidth while the headings are set: the widest indent + charsPerLine of
// items 0..item, or of the item alone in folder mode (each heading there
// goes to a folder or file name of its own).
void computeLineWidth(LayoutSettings& settings, int item, bool folderMode);

}  // namespace headly
