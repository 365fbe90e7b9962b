// The page a layout is printed on: A4 with 15 mm margins, a header line at
// the top and the page number at the bottom, and the body in the largest
// size from 10.5 pt down at which the widest line fits; turned to landscape
// when upright pages would need less than 8 pt.
#pragma once

#include <cstdint>

namespace headly {

struct PageFormat {
  double width = 0, height = 0;  // points
  double margin = 0;
  double size = 0;               // the body's size; a byte of text takes size / 2
  double pitch = 0;              // from one body line to the next
  double firstBaseline = 0;      // of the first body line
  double headerBaseline = 0, footerBaseline = 0;
  double markSize = 0;           // header and footer
  int32_t linesPerPage = 0;
  bool landscape = false;
};

// The format for a widest line of columns bytes (at least 1).
PageFormat pageFormatFor(int64_t columns);

// The size of a text of columns bytes in the header or footer: the header
// size, smaller when it would not fit between the margins.
double markSizeFor(const PageFormat& format, int64_t columns);

}  // namespace headly
