// The layout settings of one item, as the item dialogs store them. Values
// the user types (indents, characters per line) stay single precision.
#pragma once

#include <cstdint>

#include "text/sjis_string.h"

namespace headly {

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

}  // namespace headly
