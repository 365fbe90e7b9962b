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
void updateLineStatistics(AppState& state, int item) {
  ItemLayout& layout = state.layout[size_t(item)];
  const int32_t maxLength = state.itemMaxLength[size_t(item)];
  const LineStatistics lines =
      lineStatistics(maxLength, layout.charsPerLine != 0 ? layout.charsPerLine : float(maxLength));
  layout.fullLines = lines.fullLines;
  layout.remainder = lines.remainder;
}

void normaliseCharsPerLine(Ui& ui, AppState& state, int item) {
  ItemLayout& layout = state.layout[size_t(item)];
  layout.charsPerLine = correctCharsPerLine(layout.charsPerLine, state.itemMaxLength[size_t(item)], state.fullWidth == 1);
  showNumberField(ui, item <= state.headingCount ? form4::kCharsPerLine : form2::kCharsPerLine, layout.charsPerLine);
  updateLineStatistics(state, item);
}

float levelStep(const AppState& state) { return state.fullWidth == 1 ? 2.0f : 1.0f; }

void computeLineWidth(AppState& state, int item, bool folderMode) {
  auto width = [&](int j) { return state.layout[size_t(j)].indent + state.layout[size_t(j)].charsPerLine; };
  float widest = width(folderMode ? item : 0);
  for (int j = 1; !folderMode && j <= item; ++j) widest = std::max(widest, width(j));
  state.lineWidth = widest;
}

}  // namespace headly
