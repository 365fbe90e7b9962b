// The state that passes from stage to stage of the main sequence, and the
// layout settings of every item. Counts, indices and positions are integers;
// values the user types (indents, characters per line) stay single precision.
#pragma once

#include <cstdint>
#include <vector>

#include "app/record_tables.h"
#include "text/sjis_string.h"

namespace headly {

class Ui;
class TextFiles;

// The layout settings of one item.
struct ItemLayout {
  float indent = 0;
  float startColumn = 0;
  float charsPerLine = 0;
  float valueMaxLength = 0;
  SjisString delimiterBefore;
  SjisString delimiterAfter;
  int joinPrevious = 0;  // -1 joined to the previous item, 0 at its own column
  int32_t fullLines = 0;
  int32_t remainder = 0;
};

struct AppState {
  SjisString workFolder;
  SjisString selectedPath;
  SjisString limitText;
  float maxRecords = 0;

  LineTable recordLines;
  int32_t recordCount = 0;
  int32_t lastItemIndex = 0;

  // The first parse fills row 0 (the item names) only; the second parse
  // fills every record of the rebuilt lines.
  CellTable cells;
  std::vector<int32_t> itemMaxLength;
  std::vector<uint8_t> quotedCell;  // rows x items, 1 where the field was quoted
  std::vector<uint8_t> blankItemName;
  bool quoted(int32_t r, int32_t i) const { return quotedCell[size_t(r) * size_t(lastItemIndex + 1) + size_t(i)] != 0; }

  // Classification.
  std::vector<int> itemClass;  // 1 unclassified, 0 heading item, -1 other item
  std::vector<int> headingOrder, otherOrder;
  int headingCount = 0, otherCount = 0;
  std::vector<int> list1Items, orderScratch;

  SjisString quoteMarker = "\xFF\xFF";
  int collapseQuotes = 0;
  int fullWidth = 0;

  // Layout settings: one entry per item plus the extra startColumn entry.
  std::vector<ItemLayout> layout;
  int currentItem = 0;
  float enteredIndent = 0;
  float minIndent = 0;
  int firstBodyItem = 0;
  float lineWidth = 0;
};

// What every stage works with: the user interface, the files and the state.
struct Program {
  Ui& ui;
  TextFiles& files;
  AppState state;
};

}  // namespace headly
