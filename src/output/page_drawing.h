// The drawing a printed document needs: pages of a size in points, each
// holding lines of text in the one monospace face, where a half-width
// character is exactly half as wide as a full-width one. Positions are in
// points from the page's top left corner.
#pragma once

#include <memory>
#include <string_view>

#include "text/sjis_string.h"

namespace headly {

// Where a document's bytes go, in order, as they are made.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void write(std::string_view bytes) = 0;
};

class PageDrawing {
 public:
  virtual ~PageDrawing() = default;
  virtual void beginPage(double width, double height) = 0;
  // A line of Shift-JIS text, its first character's left edge at x and its
  // baseline at y, every byte of it taking size / 2 points.
  virtual void text(double x, double y, double size, std::string_view text) = 0;
  virtual void endPage() = 0;
  // Ends the document: its last bytes go to the sink.
  virtual void finish() = 0;
};

// Makes the documents: one writing to a sink, which it may call at any
// point until finish returns.
class PagePrinter {
 public:
  virtual ~PagePrinter() = default;
  virtual std::unique_ptr<PageDrawing> open(ByteSink& sink) = 0;
};

}  // namespace headly
