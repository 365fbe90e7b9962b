// The drawing the preview needs of the main window: clearing it, a text and
// a filled box, in pixels, with colours of the drawing palette.
#pragma once

#include "text/sjis_string.h"

namespace headly {

class Drawing {
 public:
  virtual ~Drawing() = default;
  virtual void clear() = 0;
  virtual void text(int x, int y, const SjisString& text, int magX, int magY, int colour) = 0;
  virtual void box(int x1, int y1, int x2, int y2, int colour) = 0;
};

}  // namespace headly
