// How the text of an item is cut into output lines: the width an item is laid
// out at, and the full lines and the rest of a text at that width.
#pragma once

#include <cstdint>

#include "session/layout.h"

namespace headly {

struct LineStats {
  int32_t fullLines = 0;
  int32_t remainder = 0;
  int32_t width = 0;  // bytes of a full line
};

// Bytes per line of item i: its characters per line, or its longest text when
// the characters per line are 0 (taken while the item had only empty values,
// before delimiters were added), so that no value is divided by zero.
int32_t layoutWidth(const Layout& layout, int32_t i);

// Full lines and remaining bytes of a text of length bytes at width bytes a
// line. A width of 0 keeps the text on one line; an empty text there takes
// no line at all.
inline LineStats lineStats(int32_t length, int32_t width) {
  if (width <= 0) width = length;
  if (width == 0) return {};
  // Most texts take one line at most: no division for them.
  if (length <= width) return {length == width ? 1 : 0, length == width ? 0 : length, width};
  return {length / width, length % width, width};
}

}  // namespace headly
