#include "app/layout_rules.h"

#include <algorithm>

#include "app/item_dialog.h"
#include "text/numbers.h"
#include "ui/form_controls.h"

namespace headly {

float correctCharsPerLine(float charsPerLine, int32_t maxLength, bool fullWidth) {
  if (!fullWidth) return float(maxLength);
  if (charsPerLine <= 0) charsPerLine = 2;
  if (intRemainder(charsPerLine, 2) != 0) charsPerLine += 1;
  if (charsPerLine > float(maxLength)) charsPerLine = float(maxLength);
  return charsPerLine;
}

LineStatistics lineStatistics(int32_t maxLength, float charsPerLine) {
  if (charsPerLine == 0 && maxLength == 0) return {};
  return {intQuotient(maxLength, charsPerLine), intRemainder(maxLength, charsPerLine)};
}

// An item without characters per line (it had only empty values) takes its
// longest text on one line, as the writer lays it out.
void updateLineStatistics(LayoutSettings& settings, int item) {
  ItemLayout& layout = settings.items[size_t(item)];
  const int32_t maxLength = settings.itemMaxLength[size_t(item)];
  const LineStatistics lines =
      lineStatistics(maxLength, layout.charsPerLine != 0 ? layout.charsPerLine : float(maxLength));
  layout.fullLines = lines.fullLines;
  layout.remainder = lines.remainder;
}

void normaliseCharsPerLine(Ui& ui, LayoutSettings& settings, int item, bool fullWidth, int headingCount) {
  ItemLayout& layout = settings.items[size_t(item)];
  layout.charsPerLine = correctCharsPerLine(layout.charsPerLine, settings.itemMaxLength[size_t(item)], fullWidth);
  showNumberField(ui, item <= headingCount ? form4::kCharsPerLine : form2::kCharsPerLine, layout.charsPerLine);
  updateLineStatistics(settings, item);
}

float levelStep(bool fullWidth) { return fullWidth ? 2.0f : 1.0f; }

void computeLineWidth(LayoutSettings& settings, int item, bool folderMode) {
  auto width = [&](int j) { return settings.items[size_t(j)].indent + settings.items[size_t(j)].charsPerLine; };
  float widest = width(folderMode ? item : 0);
  for (int j = 1; !folderMode && j <= item; ++j) widest = std::max(widest, width(j));
  settings.lineWidth = widest;
}

}  // namespace headly
