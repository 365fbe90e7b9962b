// The cells of the records: those of the item names held, those of the
// data records cut from their lines when they are read, so no table of
// every cell is ever made.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "session/line_table.h"
#include "text/full_width.h"

namespace headly {

// A data record's cells as cut from its line: the text of every item (empty
// after the last field) and whether its field was quoted. A text lies in the
// line, in the line rebuilt from it when that had to be made, or, when it
// was reworked or converted, in the first bytesUsed of bytes (which keeps
// the size of the longest row cut, so that it is never filled twice). A
// text marked toConvert still stands as in its line and is converted to full
// width when it is first read, so that cells never read cost nothing.
struct CutRow {
  int32_t record = -1;
  std::vector<std::string_view> texts;
  std::vector<uint8_t> quoted, toConvert;
  std::string rebuilt, bytes;
  size_t bytesUsed = 0;

  std::string_view text(size_t i) {
    if (!toConvert.empty() && toConvert[i]) convert(i);
    return texts[i];
  }

 private:
  void convert(size_t i) {
    toConvert[i] = 0;
    // A text that starts with a single-byte character is converted: most
    // texts of numbers and codes are told so without a call.
    if (isLeadByte(static_cast<unsigned char>(texts[i][0])) && isFullWidth(texts[i])) return;
    char* const begin = bytes.data() + bytesUsed;
    const size_t length = size_t(writeFullWidth(texts[i], begin) - begin);
    texts[i] = std::string_view(begin, length);
    bytesUsed += length;
  }
};
// Cuts the line of data record r into row.
using RowCutter = std::function<void(int32_t r, CutRow& row)>;

// The last two records cut, so that a record and the one before it can be
// compared.
struct RowCache {
  RowCutter cutter;
  mutable CutRow rows[2];
  CutRow& row(int32_t r) const {
    CutRow& cut = rows[size_t(r) % 2];
    if (cut.record != r) {
      cutter(r, cut);
      cut.record = r;
    }
    return cut;
  }
};

// cells: records 0..rows-1 by items 0..items-1, all empty when created. A
// held cell is either copied into the table's own buffer or, when its text
// lies in the shared line bytes, held as a position there; a cell that is
// set again keeps its old bytes in the buffer until reset. A table can
// instead hold only its row 0 and cut every data record from its line when
// it is read: the last two records read stay cut, so a record and the one
// before it can be compared, and their texts stay valid until a record two
// further on is read.
class CellTable {
 public:
  void reset(int32_t rows, int32_t items) {
    rows_ = rows;
    items_ = items;
    bytes_.clear();
    lines_ = {};
    cut_.cutter = nullptr;
    spans_.assign(size_t(rows) * size_t(items), Span{0, 0, 0, 0});
  }
  // Row 0 held, rows 1..rows-1 cut by cutter.
  void resetCutFromLines(int32_t rows, int32_t items, RowCutter cutter) {
    reset(std::min(rows, 1), items);
    rows_ = rows;
    cut_.cutter = std::move(cutter);
    for (CutRow& row : cut_.rows) row.record = -1;
  }
  void release() {
    rows_ = items_ = 0;
    std::string().swap(bytes_);
    lines_ = {};
    cut_.cutter = nullptr;
    std::vector<Span>().swap(spans_);
    for (CutRow& row : cut_.rows) row = CutRow{};
  }
  // Lets cells refer to the bytes of lines instead of copying them.
  void shareLines(const LineTable& lines) { lines_ = lines.shared(); }

  std::string_view get(int32_t r, int32_t i) const { return getWith(cut_, r, i); }
  bool quoted(int32_t r, int32_t i) const { return quotedWith(cut_, r, i); }
  // Cells of rows that are held.
  void set(int32_t r, int32_t i, std::string_view v) {
    const bool quoted = span(r, i).quoted;
    span(r, i) = makeSpan(bytes_.size(), v.size(), false, quoted);
    bytes_.append(v);
  }
  void markQuoted(int32_t r, int32_t i) { span(r, i).quoted = 1; }
  // The same as set, without a copy when v lies in the shared line bytes.
  // Only the position is kept, so the table may be moved.
  void setOrRefer(int32_t r, int32_t i, std::string_view v) {
    if (inLines(v))
      span(r, i) = makeSpan(size_t(v.data() - lines_.bytes().data()), v.size(), true, span(r, i).quoted);
    else
      set(r, i, v);
  }
  int32_t rows() const { return rows_; }
  int32_t items() const { return items_; }

 private:
  // A cell is cut from a line of at most 32767 bytes and full width at most
  // doubles it, so 24 bits hold any cell's length.
  struct Span {
    uint64_t offset : 38;
    uint64_t length : 24;
    uint64_t inLines : 1;
    uint64_t quoted : 1;
  };
  static Span makeSpan(size_t offset, size_t length, bool inLines, bool quoted) {
    Span s{0, 0, 0, 0};
    s.offset = offset;
    s.length = length;
    s.inLines = inLines ? 1 : 0;
    s.quoted = quoted ? 1 : 0;
    return s;
  }
  bool inLines(std::string_view v) const {
    if (!lines_) return false;
    const std::string_view bytes = lines_.bytes();
    const std::less_equal<const char*> notAfter;  // a total order over unrelated buffers too
    return notAfter(bytes.data(), v.data()) && notAfter(v.data() + v.size(), bytes.data() + bytes.size());
  }
  friend class CellReader;
  std::string_view getWith(const RowCache& cache, int32_t r, int32_t i) const {
    if (isCut(r)) return cache.row(r).text(size_t(i));
    const Span& s = span(r, i);
    return (s.inLines ? lines_.bytes() : std::string_view(bytes_)).substr(s.offset, s.length);
  }
  bool quotedWith(const RowCache& cache, int32_t r, int32_t i) const {
    if (isCut(r)) return cache.row(r).quoted[size_t(i)] != 0;
    return span(r, i).quoted != 0;
  }
  bool isCut(int32_t r) const { return r > 0 && cut_.cutter; }
  Span& span(int32_t r, int32_t i) { return spans_[size_t(r) * size_t(items_) + size_t(i)]; }
  const Span& span(int32_t r, int32_t i) const { return spans_[size_t(r) * size_t(items_) + size_t(i)]; }

  int32_t rows_ = 0, items_ = 0;
  std::string bytes_;
  LineTable::Shared lines_;
  std::vector<Span> spans_;
  RowCache cut_;
};

// Reads the cells of a table on one thread: the data records are cut into
// the reader's own rows with its own copy of the table's cutter, so readers
// on several threads can read one table at once (the table itself must not
// change meanwhile). The texts of a record stay valid as with the table.
class CellReader {
 public:
  explicit CellReader(const CellTable& cells) : cells_(&cells) { cache_.cutter = cells.cut_.cutter; }
  // Data records cut by cutter instead, for example only their first items.
  CellReader(const CellTable& cells, RowCutter cutter) : cells_(&cells) { cache_.cutter = std::move(cutter); }
  std::string_view get(int32_t r, int32_t i) const { return cells_->getWith(cache_, r, i); }
  bool quoted(int32_t r, int32_t i) const { return cells_->quotedWith(cache_, r, i); }
  // The row of record r when it is cut from its line, else null: its cells
  // can be read from it without looking the record up for each.
  CutRow* cutRow(int32_t r) const { return cells_->isCut(r) ? &cache_.row(r) : nullptr; }

 private:
  const CellTable* cells_;
  RowCache cache_;
};

}  // namespace headly
