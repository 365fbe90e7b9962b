#include "output/body_layout.h"

#include <algorithm>

#include "output/output_line.h"
#include "text/byte_search.h"
#include "text/encoding.h"
#include "text/numbers.h"

namespace headly {

namespace {

char* copyBytes(std::string_view s, char* out) { return std::copy(s.begin(), s.end(), out); }

}  // namespace

BodyLayout::BodyLayout(const Layout& layout, bool fullWidth) {
  const int32_t first = layout.firstBodyItem();
  items_.resize(size_t(layout.lastItemIndex() - first + 1));
  int32_t maxFullLines = 0;
  bool anyRemainder = false;
  for (int32_t i = first; i <= layout.lastItemIndex(); ++i) {
    const ItemLayout& settings = layout.item(i);
    Item& item = items_[size_t(i - first)];
    item.index = i;
    item.prefix = roundToInt(i == first ? settings.startColumn : settings.indent);
    item.column = roundToInt(settings.startColumn);
    item.width = layoutWidth(layout, i);
    item.joined = settings.joinPrevious == -1;
    maxColumn_ = std::max(maxColumn_, item.column);
    if (i != first) {
      item.before = settings.delimiterBefore;
      item.after = settings.delimiterAfter;
    }
    const LineStats longest = lineStats(layout.maxLength(i), item.width);
    maxFullLines = std::max(maxFullLines, longest.fullLines);
    anyRemainder = anyRemainder || longest.remainder > 0;
  }
  multiLineLayout_ = maxFullLines != 1 || anyRemainder;
  pairBlanks_ = fullWidth;
  // No piece is wider than its item's width: a line fits in the furthest
  // column and every item's prefix and width.
  const bool everyItemHasWidth =
      std::all_of(items_.begin(), items_.end(), [](const Item& item) { return item.width > 0; });
  if (!multiLineLayout_ && !pairBlanks_ && everyItemHasWidth) {
    singleLineRoom_ = size_t(maxColumn_);
    for (const Item& item : items_) singleLineRoom_ += size_t(std::max(item.prefix, 0)) + size_t(item.width);
  }
}

void BodyLayout::appendSingleLine(const CellReader& cells, int32_t r, LineBlock& block) {
  // The line starts as blanks; each item moves on to its column, past its
  // prefix, and writes at most its width of its text. An empty text leaves
  // its width in blanks; a shorter one is not padded.
  char* const begin = block.room(singleLineRoom_);
  std::fill_n(begin, singleLineRoom_, ' ');
  CutRow* const row = cells.cutRow(r);
  size_t at = 0;
  for (Item& item : items_) {
    std::string_view text = row ? row->text(size_t(item.index)) : cells.get(r, item.index);
    if (!item.before.empty() || !item.after.empty()) {
      item.withDelimiters.assign(item.before).append(text).append(item.after);
      text = item.withDelimiters;
    }
    if (!item.joined) at = std::max(at, size_t(std::max(item.column, 0)));
    at += size_t(std::max(item.prefix, 0));
    const size_t width = size_t(item.width), shown = std::min(text.size(), width);
    std::copy_n(text.data(), shown, begin + at);
    at += text.empty() ? width : shown;
  }
  block.commit(begin + at);
}

int32_t BodyLayout::layOutRecord(const CellReader& cells, int32_t r) {
  int32_t recordLineCount = 0;
  lineBytes_ = 0;
  textHoldsBlank_ = false;
  CutRow* const row = cells.cutRow(r);
  for (Item& item : items_) {
    const std::string_view value = row ? row->text(size_t(item.index)) : cells.get(r, item.index);
    if (item.before.empty() && item.after.empty()) {
      item.source = value;
    } else {
      item.withDelimiters.assign(item.before).append(value).append(item.after);
      item.source = item.withDelimiters;
    }
    item.stats = lineStats(byteLength(item.source), item.width);
    // A text that fits on one line is not padded to the item's width.
    item.cellWidth = item.stats.fullLines == 0 && item.stats.remainder > 0 ? item.stats.remainder : item.stats.width;
    recordLineCount = std::max(recordLineCount, item.stats.fullLines + (item.stats.remainder > 0 ? 1 : 0));
    lineBytes_ += size_t(std::max(item.prefix, 0)) + size_t(item.stats.width);
    // Only a lead byte followed by a blank, which is no character, brings a
    // half-width blank into a converted text. Most items of a record with
    // many are empty: they are not searched.
    if (pairBlanks_ && !textHoldsBlank_ && !item.source.empty()) textHoldsBlank_ = holdsByte(item.source, ' ');
  }
  lineBytes_ += size_t(maxColumn_);
  return multiLineLayout_ ? std::max(recordLineCount, 1) : 1;
}

bool BodyLayout::blanksPaired() const { return pairBlanks_ && !textHoldsBlank_; }

char* BodyLayout::writeBlanks(char* out, size_t blanks) const {
  // Half-width blanks are there already.
  return blanksPaired() ? writeBlankRun(out, blanks, true) : out + blanks;
}

char* BodyLayout::writeText(std::string_view text, size_t& blanks, char* out) const {
  out = writeBlanks(out, blanks);
  blanks = 0;
  return copyBytes(text, out);
}

void BodyLayout::appendLine(int32_t n, LineBlock& block) const {
  // Every piece is at most its item's line width, so the line gets room for
  // the longest it can be once and is written in place: all blanks first
  // unless they are written paired. Blanks are counted until a text or the
  // end of the line, so that a run of them goes out at once.
  char* const begin = block.room(lineBytes_);
  if (!blanksPaired()) std::fill_n(begin, lineBytes_, ' ');
  char* out = begin;
  size_t blanks = 0;
  for (const Item& item : items_) {
    // A piece longer than the room up to the column pushes the item on.
    const size_t used = size_t(out - begin) + blanks;
    if (!item.joined && used < size_t(std::max(item.column, 0))) blanks += size_t(item.column) - used;
    blanks += size_t(std::max(item.prefix, 0));
    const LineStats& stats = item.stats;
    const size_t start = size_t(n) * size_t(stats.width);
    if (n < stats.fullLines) {
      out = writeText(std::string_view(item.source.data() + start, size_t(stats.width)), blanks, out);
    } else if (n == stats.fullLines && stats.remainder > 0) {
      out = writeText(std::string_view(item.source.data() + start, size_t(stats.remainder)), blanks, out);
      blanks += size_t(item.cellWidth - stats.remainder);
    } else {
      blanks += size_t(std::max(item.cellWidth, 0));
    }
  }
  out = writeBlanks(out, blanks);
  // A blank in a text belongs to the run of blanks around it.
  if (pairBlanks_ && textHoldsBlank_) pairBlanksToFullWidth(begin, size_t(out - begin));
  block.commit(out);
}

SjisString separatorLine(const Layout& layout, bool fullWidth) {
  const float column = layout.item(layout.firstBodyItem()).startColumn;
  int32_t dashes = roundToInt(double(layout.lineWidth()) - double(column)) / 2;
  if (dashes <= 0) dashes = 1;
  const SjisString dash = sjis("―");
  const size_t blanks = size_t(std::max(roundToInt(column), 0));
  SjisString line(blanks, ' ');
  line.resize(size_t(writeBlankRun(line.data(), blanks, fullWidth) - line.data()));
  line.reserve(line.size() + size_t(dashes) * dash.size());
  for (int32_t n = 0; n < dashes; ++n) line += dash;
  return line;
}

}  // namespace headly
