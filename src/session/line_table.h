// The record lines held in memory: the bytes of all lines in one growing
// buffer with an index, so a million records cost two allocations rather
// than millions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string_view>

#include "session/line_run.h"
#include "system/mapped_bytes.h"
#include "system/line_store.h"

namespace headly {

// Entry 0 is the header line, entries 1..n the data lines. The bytes of
// lines once added never change while cells refer to them.
class LineTable {
  using LineEnds = MappedArray<size_t>;

 public:
  LineTable() : bytes_(std::make_shared<MappedBytes>()), ends_(std::make_shared<LineEnds>()) {}
  // A copy has lines of its own: only cell tables share them.
  LineTable(const LineTable& other) : LineTable() {
    bytes_->append(other.bytes_->view());
    ends_->reserve(other.size());
    for (size_t i = 0; i < other.size(); ++i) ends_->push_back(other.ends_->data()[i]);
  }
  LineTable& operator=(const LineTable& other) {
    if (this != &other) *this = LineTable(other);
    return *this;
  }
  LineTable(LineTable&&) = default;
  LineTable& operator=(LineTable&&) = default;

  void clear() {
    // Cells may still share the old lines; they keep them.
    bytes_ = std::make_shared<MappedBytes>();
    ends_ = std::make_shared<LineEnds>();
  }
  // The lines of an empty table go into room from its start, over the bytes
  // it holds: text that is still being read into the table from there, which
  // keeps ahead of the lines, as a reading drops line ends and adds nothing.
  void fillFromStartOf(std::shared_ptr<MappedBytes> room) {
    room->resize(0);
    bytes_ = std::move(room);
  }
  // Lines added leave those before them as they are, so cells that share
  // the lines may stay.
  void append(std::string_view line) {
    bytes_->append(line);
    ends_->push_back(bytes_->size());
  }
  // The lines of block within bounds, which hold bytes in all.
  void appendLines(const char* block, std::span<const LineBounds> bounds, size_t bytes) {
    size_t at = bytes_->size();
    bytes_->resize(at + bytes);
    char* const to = bytes_->data();
    for (const LineBounds& line : bounds) {
      std::memcpy(to + at, block + line.begin, line.end - line.begin);
      at += line.end - line.begin;
      ends_->push_back(at);
    }
  }
  // The first bytes of a line that an append completes.
  void appendPart(std::string_view bytes) { bytes_->append(bytes); }

  std::string_view operator[](size_t i) const { return lineAt(*bytes_, *ends_, i); }
  size_t size() const { return ends_->size(); }
  size_t byteCount() const { return bytes_->size(); }
  double bytesPerLine() const { return ends_->empty() ? 0 : double(bytes_->size()) / double(ends_->size()); }
  // The room reserved after the bytes held, which lines appended fill.
  char* spareRoom() { return bytes_->data() + bytes_->size(); }
  size_t spareBytes() const { return bytes_->room() - bytes_->size(); }
  // How many lines the index has room for before it moves.
  size_t spareLines() const { return ends_->capacity() - ends_->size(); }
  // Lines first..last-1 where they lie now: they stay there while lines
  // appended fit in the room reserved.
  LineRun run(size_t first, size_t last) const { return LineRun{bytes_->data(), ends_->data(), first, last}; }
  // The bytes first: room for the index is the lesser need.
  void reserve(size_t lines, size_t bytes) {
    bytes_->reserve(bytes);
    ends_->reserve(lines);
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
    Shared(std::shared_ptr<const MappedBytes> bytes, std::shared_ptr<const LineEnds> ends)
        : bytes_(std::move(bytes)), ends_(std::move(ends)) {}
    std::string_view operator[](size_t i) const { return lineAt(*bytes_, *ends_, i); }
    std::string_view bytes() const { return bytes_->view(); }
    size_t size() const { return ends_->size(); }
    double bytesPerLine() const { return ends_->empty() ? 0 : double(bytes_->size()) / double(ends_->size()); }
    explicit operator bool() const { return bytes_ != nullptr; }

   private:
    std::shared_ptr<const MappedBytes> bytes_;
    std::shared_ptr<const LineEnds> ends_;
  };
  Shared shared() const { return Shared(bytes_, ends_); }

 private:
  static std::string_view lineAt(const MappedBytes& bytes, const LineEnds& ends, size_t i) {
    return LineRun{bytes.data(), ends.data(), i, i + 1}[i];
  }

  std::shared_ptr<MappedBytes> bytes_;
  std::shared_ptr<LineEnds> ends_;
};

}  // namespace headly
