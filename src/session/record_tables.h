// Compact tables for the records held in memory: the record lines and the
// cells. Both keep their bytes in one growing buffer with an index, so a
// million records cost two allocations rather than millions. A cell that
// stands unchanged in its line is not copied: it refers to the bytes of the
// line table, which the cell table shares.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace headly {

// recordLines: entry 0 is the header line, entries 1..n the data lines. The
// bytes of lines once added never change while cells refer to them.
class LineTable {
 public:
  LineTable() : bytes_(std::make_shared<std::string>()) {}
  // A copy has bytes of its own: only cell tables share them.
  LineTable(const LineTable& other) : bytes_(std::make_shared<std::string>(*other.bytes_)), ends_(other.ends_) {}
  LineTable& operator=(const LineTable& other) {
    if (this != &other) *this = LineTable(other);
    return *this;
  }
  LineTable(LineTable&&) = default;
  LineTable& operator=(LineTable&&) = default;

  void clear() {
    // Cells may still share the old bytes; they keep them.
    bytes_ = std::make_shared<std::string>();
    ends_.clear();
  }
  void append(std::string_view line) {
    bytes_->append(line);
    ends_.push_back(bytes_->size());
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
    // Cells that share the bytes keep the old lines.
    if (bytes_.use_count() > 1) bytes_ = std::make_shared<std::string>(*bytes_);
    std::string& bytes = *bytes_;
    std::string moved;  // the new lines once one did not fit
    bool inPlace = true;
    std::string rebuilt;
    size_t read = 0, written = 0;
    for (size_t i = 0; i < ends_.size(); ++i) {
      const std::string_view line = std::string_view(bytes).substr(read, ends_[i] - read);
      read = ends_[i];
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
      ends_[i] = written;
    }
    if (inPlace)
      bytes.resize(written);
    else
      bytes.swap(moved);
  }

  std::string_view operator[](size_t i) const {
    const size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(*bytes_).substr(begin, ends_[i] - begin);
  }
  size_t size() const { return ends_.size(); }
  size_t byteCount() const { return bytes_->size(); }
  void reserve(size_t lines, size_t bytes) {
    ends_.reserve(lines);
    bytes_->reserve(bytes);
  }
  void swap(LineTable& other) {
    bytes_.swap(other.bytes_);
    ends_.swap(other.ends_);
  }
  // The bytes of every line, for a cell table to refer to.
  std::shared_ptr<const std::string> sharedBytes() const { return bytes_; }

 private:
  std::shared_ptr<std::string> bytes_;
  std::vector<size_t> ends_;
};

// cells: records 0..rows-1 by items 0..items-1, all empty when created. A
// cell is either copied into the table's own buffer or, when its text lies
// in the shared line bytes, held as a position there. A cell that is set
// again keeps its old bytes in the buffer until reset.
class CellTable {
 public:
  void reset(int32_t rows, int32_t items) {
    rows_ = rows;
    items_ = items;
    bytes_.clear();
    lines_.reset();
    spans_.assign(size_t(rows) * size_t(items), Span{0, 0, 0});
  }
  void release() {
    rows_ = items_ = 0;
    std::string().swap(bytes_);
    lines_.reset();
    std::vector<Span>().swap(spans_);
  }
  // Lets cells refer to the bytes of lines instead of copying them.
  void shareLines(const LineTable& lines) { lines_ = lines.sharedBytes(); }

  std::string_view get(int32_t r, int32_t i) const {
    const Span& s = span(r, i);
    return std::string_view(s.inLines ? *lines_ : bytes_).substr(s.offset, s.length);
  }
  void set(int32_t r, int32_t i, std::string_view v) {
    span(r, i) = makeSpan(bytes_.size(), v.size(), false);
    bytes_.append(v);
  }
  // Sets the cell to the bytes that write(buffer) appends to the table's own
  // buffer, so that a text made for the cell is not copied once more.
  // Returns the cell's length.
  template <class Write>
  size_t setWritten(int32_t r, int32_t i, Write write) {
    const size_t offset = bytes_.size();
    write(bytes_);
    span(r, i) = makeSpan(offset, bytes_.size() - offset, false);
    return bytes_.size() - offset;
  }
  // The same as set, without a copy when v lies in the shared line bytes.
  // Only the position is kept, so the table may be moved.
  void setOrRefer(int32_t r, int32_t i, std::string_view v) {
    if (inLines(v))
      span(r, i) = makeSpan(size_t(v.data() - lines_->data()), v.size(), true);
    else
      set(r, i, v);
  }
  int32_t rows() const { return rows_; }
  int32_t items() const { return items_; }
  void reserveBytes(size_t n) { bytes_.reserve(n); }

 private:
  // A cell is cut from a line of at most 32767 bytes and full width at most
  // doubles it, so 24 bits hold any cell's length.
  struct Span {
    uint64_t offset : 39;
    uint64_t length : 24;
    uint64_t inLines : 1;
  };
  static Span makeSpan(size_t offset, size_t length, bool inLines) {
    Span s{0, 0, 0};
    s.offset = offset;
    s.length = length;
    s.inLines = inLines ? 1 : 0;
    return s;
  }
  bool inLines(std::string_view v) const {
    if (!lines_) return false;
    const std::less_equal<const char*> notAfter;  // a total order over unrelated buffers too
    return notAfter(lines_->data(), v.data()) && notAfter(v.data() + v.size(), lines_->data() + lines_->size());
  }
  Span& span(int32_t r, int32_t i) { return spans_[size_t(r) * size_t(items_) + size_t(i)]; }
  const Span& span(int32_t r, int32_t i) const { return spans_[size_t(r) * size_t(items_) + size_t(i)]; }

  int32_t rows_ = 0, items_ = 0;
  std::string bytes_;
  std::shared_ptr<const std::string> lines_;
  std::vector<Span> spans_;
};

}  // namespace headly
