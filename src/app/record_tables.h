// Compact tables for the records held in memory: the record lines and the
// cells. Both keep their bytes in one growing buffer with an index, so a
// million records cost two allocations rather than millions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace headly {

// recordLines: entry 0 is the header line, entries 1..n the data lines.
class LineTable {
 public:
  void clear() {
    bytes_.clear();
    ends_.clear();
  }
  void append(std::string_view line) {
    bytes_.append(line);
    ends_.push_back(bytes_.size());
  }
  std::string_view operator[](size_t i) const {
    const size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(bytes_).substr(begin, ends_[i] - begin);
  }
  size_t size() const { return ends_.size(); }
  void reserveBytes(size_t n) { bytes_.reserve(n); }
  void swap(LineTable& other) {
    bytes_.swap(other.bytes_);
    ends_.swap(other.ends_);
  }

 private:
  std::string bytes_;
  std::vector<size_t> ends_;
};

// cells: records 0..rows-1 by items 0..items-1, all empty when created. A
// cell that is set again keeps its old bytes in the buffer until reset.
class CellTable {
 public:
  void reset(int32_t rows, int32_t items) {
    rows_ = rows;
    items_ = items;
    bytes_.clear();
    spans_.assign(size_t(rows) * size_t(items), Span{0, 0});
  }
  void release() {
    rows_ = items_ = 0;
    std::string().swap(bytes_);
    std::vector<Span>().swap(spans_);
  }
  std::string_view get(int32_t r, int32_t i) const {
    const Span& s = spans_[size_t(r) * size_t(items_) + size_t(i)];
    return std::string_view(bytes_).substr(s.offset, s.length);
  }
  void set(int32_t r, int32_t i, std::string_view v) {
    Span& s = spans_[size_t(r) * size_t(items_) + size_t(i)];
    s.offset = bytes_.size();
    s.length = uint32_t(v.size());
    bytes_.append(v);
  }
  int32_t rows() const { return rows_; }
  int32_t items() const { return items_; }
  void reserveBytes(size_t n) { bytes_.reserve(n); }

 private:
  struct Span {
    uint64_t offset : 40;
    uint64_t length : 24;
  };
  int32_t rows_ = 0, items_ = 0;
  std::string bytes_;
  std::vector<Span> spans_;
};

}  // namespace headly
