// Compact tables for the records held in memory: the record lines and the
// cells. The lines keep their bytes in one growing buffer with an index, so a
// million records cost two allocations rather than millions. The cells of
// the item names are held; those of the data records are cut from their
// lines when they are read, so no table of every cell is ever made.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/large_pages.h"

namespace headly {

// recordLines: entry 0 is the header line, entries 1..n the data lines. The
// bytes of lines once added never change while cells refer to them.
class LineTable {
 public:
  LineTable() : bytes_(std::make_shared<std::string>()), ends_(std::make_shared<std::vector<size_t>>()) {}
  // A copy has lines of its own: only cell tables share them.
  LineTable(const LineTable& other)
      : bytes_(std::make_shared<std::string>(*other.bytes_)),
        ends_(std::make_shared<std::vector<size_t>>(*other.ends_)) {}
  LineTable& operator=(const LineTable& other) {
    if (this != &other) *this = LineTable(other);
    return *this;
  }
  LineTable(LineTable&&) = default;
  LineTable& operator=(LineTable&&) = default;

  void clear() {
    // Cells may still share the old lines; they keep them.
    bytes_ = std::make_shared<std::string>();
    ends_ = std::make_shared<std::vector<size_t>>();
  }
  // Lines added leave those before them as they are, so cells that share
  // the lines may stay.
  void append(std::string_view line) {
    bytes_->append(line);
    ends_->push_back(bytes_->size());
  }

  // Replaces every line i by the line that rebuild(i, line, out) puts into
  // out (empty when called; line stays valid until rebuild returns, as
  // nothing is written before). A new line is written over the old ones while
  // it fits before the lines still to be read, which it does unless it is
  // longer than its old line by more than the lines before it shrank; from
  // the first that does not fit on, the new lines go to a buffer of their
  // own. So the old and the new lines are seldom held at the same time.
  template <class Rebuild>
  void rewrite(Rebuild rebuild) {
    // Cells that share the lines keep the old ones.
    if (bytes_.use_count() > 1 || ends_.use_count() > 1) *this = LineTable(*this);
    std::string& bytes = *bytes_;
    std::vector<size_t>& ends = *ends_;
    std::string moved;  // the new lines once one did not fit
    bool inPlace = true;
    std::string rebuilt;
    size_t read = 0, written = 0;
    for (size_t i = 0; i < ends.size(); ++i) {
      const std::string_view line = std::string_view(bytes).substr(read, ends[i] - read);
      read = ends[i];
      rebuilt.clear();
      rebuild(i, line, rebuilt);
      if (inPlace && written + rebuilt.size() > read) {
        moved.reserve(bytes.size() + bytes.size() / 8);
        moved.assign(bytes, 0, written);
        inPlace = false;
      }
      if (inPlace)
        std::copy(rebuilt.begin(), rebuilt.end(), bytes.begin() + std::ptrdiff_t(written));
      else
        moved.append(rebuilt);
      written += rebuilt.size();
      ends[i] = written;
    }
    if (inPlace)
      bytes.resize(written);
    else
      bytes.swap(moved);
  }

  std::string_view operator[](size_t i) const { return lineAt(*bytes_, *ends_, i); }
  size_t size() const { return ends_->size(); }
  size_t byteCount() const { return bytes_->size(); }
  void reserve(size_t lines, size_t bytes) {
    ends_->reserve(lines);
    bytes_->reserve(bytes);
    adviseLargePages(bytes_->data(), bytes_->capacity());
  }
  void swap(LineTable& other) {
    bytes_.swap(other.bytes_);
    ends_.swap(other.ends_);
  }

  // The lines as they are now, for cells to refer to: kept alive by their
  // holders, unchanged by a rewrite or a clear of the table.
  class Shared {
   public:
    Shared() = default;
    Shared(std::shared_ptr<const std::string> bytes, std::shared_ptr<const std::vector<size_t>> ends)
        : bytes_(std::move(bytes)), ends_(std::move(ends)) {}
    std::string_view operator[](size_t i) const { return lineAt(*bytes_, *ends_, i); }
    const std::string& bytes() const { return *bytes_; }
    explicit operator bool() const { return bytes_ != nullptr; }

   private:
    std::shared_ptr<const std::string> bytes_;
    std::shared_ptr<const std::vector<size_t>> ends_;
  };
  Shared shared() const { return Shared(bytes_, ends_); }

 private:
  static std::string_view lineAt(const std::string& bytes, const std::vector<size_t>& ends, size_t i) {
    const size_t begin = i == 0 ? 0 : ends[i - 1];
    return std::string_view(bytes).substr(begin, ends[i] - begin);
  }

  std::shared_ptr<std::string> bytes_;
  std::shared_ptr<std::vector<size_t>> ends_;
};

// A data record's cells as cut from its line: the text of every item (empty
// after the last field) and whether its field was quoted. A text lies in the
// line or, when it was reworked or converted, in bytes.
struct CutRow {
  int32_t record = -1;
  std::vector<std::string_view> texts;
  std::vector<uint8_t> quoted;
  std::string bytes;
};
// Cuts the line of data record r into row.
using RowCutter = std::function<void(int32_t r, CutRow& row)>;

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
    cutter_ = nullptr;
    spans_.assign(size_t(rows) * size_t(items), Span{0, 0, 0, 0});
  }
  // Row 0 held, rows 1..rows-1 cut by cutter.
  void resetCutFromLines(int32_t rows, int32_t items, RowCutter cutter) {
    reset(std::min(rows, 1), items);
    rows_ = rows;
    cutter_ = std::move(cutter);
    for (CutRow& row : cut_) row.record = -1;
  }
  void release() {
    rows_ = items_ = 0;
    std::string().swap(bytes_);
    lines_ = {};
    cutter_ = nullptr;
    std::vector<Span>().swap(spans_);
    for (CutRow& row : cut_) row = CutRow{};
  }
  // Lets cells refer to the bytes of lines instead of copying them.
  void shareLines(const LineTable& lines) { lines_ = lines.shared(); }

  std::string_view get(int32_t r, int32_t i) const {
    if (isCut(r)) return cutRow(r).texts[size_t(i)];
    const Span& s = span(r, i);
    return std::string_view(s.inLines ? lines_.bytes() : bytes_).substr(s.offset, s.length);
  }
  bool quoted(int32_t r, int32_t i) const {
    if (isCut(r)) return cutRow(r).quoted[size_t(i)] != 0;
    return span(r, i).quoted != 0;
  }
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
    const std::string& bytes = lines_.bytes();
    const std::less_equal<const char*> notAfter;  // a total order over unrelated buffers too
    return notAfter(bytes.data(), v.data()) && notAfter(v.data() + v.size(), bytes.data() + bytes.size());
  }
  bool isCut(int32_t r) const { return r > 0 && cutter_; }
  const CutRow& cutRow(int32_t r) const {
    CutRow& row = cut_[size_t(r) % 2];
    if (row.record != r) {
      cutter_(r, row);
      row.record = r;
    }
    return row;
  }
  Span& span(int32_t r, int32_t i) { return spans_[size_t(r) * size_t(items_) + size_t(i)]; }
  const Span& span(int32_t r, int32_t i) const { return spans_[size_t(r) * size_t(items_) + size_t(i)]; }

  int32_t rows_ = 0, items_ = 0;
  std::string bytes_;
  LineTable::Shared lines_;
  std::vector<Span> spans_;
  RowCutter cutter_;
  mutable CutRow cut_[2];
};

}  // namespace headly
