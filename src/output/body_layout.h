// The body items of one record side by side: each item's text cut into
// pieces of its width (the cells of bodyCells), and the body lines put
// together from those cells. The cells are formed straight into the line
// from the record's text, so a value can take as many lines as it needs and
// no record allocates.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "output/line_block.h"
#include "output/line_stats.h"
#include "session/cell_table.h"
#include "session/layout.h"

namespace headly {

class BodyLayout {
 public:
  // Takes the body items' settings and makes the multi-line decision from
  // every body item's longest text and width. fullWidth: the texts were
  // converted to full width. The layout must outlive it.
  BodyLayout(const Layout& layout, bool fullWidth);
  BodyLayout(const BodyLayout&) = delete;
  BodyLayout& operator=(const BodyLayout&) = delete;

  // Some body item can take more than one line (or none): every record then
  // gets all its body lines and ends with the separator line.
  bool multiLineLayout() const { return multiLineLayout_; }

  // One line for every record, with half-width blanks, and every item a
  // width of its own: then a record's line is written in one pass by
  // appendSingleLine.
  bool writesSingleLines() const { return singleLineRoom_ > 0; }
  // Appends the body line of record r (without its line end) to block, as
  // layOutRecord and then appendLine(0) append it. Only where
  // writesSingleLines(); no branch here depends on whether a text is empty.
  void appendSingleLine(const CellReader& cells, int32_t r, LineBlock& block);

  // Lays out the body items of record r; returns how many body lines to
  // write: 1 in the single-line layout, else the lines of the longest text
  // and at least 1 (a record of empty values gives one line of blanks).
  int32_t layOutRecord(const CellReader& cells, int32_t r);
  // Appends body line n of the record last laid out to block (without its
  // line end). In full-width mode its blanks come paired into full-width
  // blanks as appendOutputLine pairs them. Every value and delimiter is
  // converted then, so a run of blanks is, but for invalid Shift-JIS in a
  // text, one made here and is written paired at once.
  void appendLine(int32_t n, LineBlock& block) const;

 private:
  struct Item {
    int32_t index = 0;
    int32_t prefix = 0;  // blanks before the text
    int32_t column = 0;  // where the item starts when not joined
    int32_t width = 0;
    bool joined = false;
    std::string_view before, after;
    // The current record.
    SjisString withDelimiters;
    std::string_view source;
    LineStats stats;
    int32_t cellWidth = 0;  // bytes of every cell after the prefix
  };
  // Blanks are written paired as they go; else half-width blanks stand
  // before anything is written.
  bool blanksPaired() const;
  // Writes a run of blanks at out; returns the end.
  char* writeBlanks(char* out, size_t blanks) const;
  // Writes the blanks counted so far and then text at out; returns the end.
  char* writeText(std::string_view text, size_t& blanks, char* out) const;

  std::vector<Item> items_;
  bool multiLineLayout_ = false;
  bool pairBlanks_ = false;
  bool textHoldsBlank_ = false;  // a text of the record holds a half-width blank
  int32_t maxColumn_ = 0;
  size_t lineBytes_ = 0;  // the most bytes a line of the record can take
  size_t singleLineRoom_ = 0;  // the most bytes any single line can take
};

// The line that ends every record of a multi-line layout: blanks up to the
// first body item's column (paired in full-width mode, as appendLine pairs
// them), then one "―" for every two columns up to lineWidth, at least one.
SjisString separatorLine(const Layout& layout, bool fullWidth);

}  // namespace headly
