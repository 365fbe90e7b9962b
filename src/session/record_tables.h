// Compact tables for the records held in memory: the record lines and the
// cells. The lines keep their bytes in one growing buffer with an index, so a
// million records cost two allocations rather than millions. The cells of
// the item names are held; those of the data records are cut from their
// lines when they are read, so no table of every cell is ever made.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "session/line_run.h"
#include "session/ordered_blocks.h"
#include "text/full_width.h"
#include "system/large_pages.h"
#include "system/line_store.h"

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

  // Replaces every line i by the line that rebuild(i, line, out) appends to
  // out (the lines before it in its block may be there). The lines are rebuilt in blocks on the threads
  // of split, each thread with its own copy of rebuild; taken(last) follows
  // on the calling thread once the lines up to last are in place. A block's
  // new lines are written over the old ones while they fit before the lines
  // still to be read, which they do unless they are longer than their old
  // lines by more than the lines before them shrank; from the first block
  // that does not fit on, the new lines go to a buffer of their own. So the
  // old and the new lines are seldom held at the same time.
  template <class Rebuild, class Taken = void (*)(size_t)>
  void rewrite(Rebuild rebuild, const WorkSplit& split = {1, 1}, Taken taken = [](size_t) {}) {
    // Cells that share the lines keep the old ones.
    if (bytes_.use_count() > 1 || ends_.use_count() > 1) *this = LineTable(*this);
    std::string& bytes = *bytes_;
    std::vector<size_t>& ends = *ends_;
    struct Block {
      std::string bytes;
      std::vector<size_t> ends;  // of its lines in bytes
    };
    std::string moved;  // the new lines once a block did not fit
    bool inPlace = true;
    size_t written = 0;
    // The end of a block's last line is read by the thread that cuts the
    // next block: it is set once that block is taken.
    size_t lastLine = 0, lastEnd = 0;
    runOrderedBlocks<Block>(
        0, int64_t(ends.size()), split, [&] { return rebuild; },
        [&](Rebuild& mine, int64_t begin, int64_t end, Block& block) {
          block.bytes.clear();
          block.ends.clear();
          for (size_t i = size_t(begin); i < size_t(end); ++i) {
            mine(i, lineAt(bytes, ends, i), block.bytes);
            block.ends.push_back(block.bytes.size());
          }
        },
        [&](int64_t begin, int64_t end, const Block& block) {
          if (begin > 0) ends[lastLine] = lastEnd;
          const size_t oldEnd = ends[size_t(end) - 1];
          if (inPlace && written + block.bytes.size() > oldEnd) {
            moved.reserve(bytes.size() + bytes.size() / 8);
            moved.assign(bytes, 0, written);
            inPlace = false;
          }
          if (inPlace)
            std::copy(block.bytes.begin(), block.bytes.end(), bytes.begin() + std::ptrdiff_t(written));
          else
            moved.append(block.bytes);
          for (size_t k = 0; k + 1 < block.ends.size(); ++k) ends[size_t(begin) + k] = written + block.ends[k];
          lastLine = size_t(end) - 1;
          lastEnd = written + block.bytes.size();
          written = lastEnd;
          taken(lastLine);
        });
    if (!ends.empty()) ends[lastLine] = lastEnd;
    if (inPlace)
      bytes.resize(written);
    else
      bytes.swap(moved);
  }

  std::string_view operator[](size_t i) const { return lineAt(*bytes_, *ends_, i); }
  size_t size() const { return ends_->size(); }
  size_t byteCount() const { return bytes_->size(); }
  double bytesPerLine() const { return ends_->empty() ? 0 : double(bytes_->size()) / double(ends_->size()); }
  // The room reserved after the bytes held, which lines appended fill.
  char* spareRoom() { return bytes_->data() + bytes_->size(); }
  size_t spareBytes() const { return bytes_->capacity() - bytes_->size(); }
  // How many lines the index has room for before it moves.
  size_t spareLines() const { return ends_->capacity() - ends_->size(); }
  // Lines first..last-1 where they lie now: they stay there while lines
  // appended fit in the room reserved.
  LineRun run(size_t first, size_t last) const { return LineRun{bytes_->data(), ends_->data(), first, last}; }
  // The bytes first: room for the index is the lesser need. The index keeps
  // to small pages, so that it costs no more memory than its lines take.
  void reserve(size_t lines, size_t bytes) {
    bytes_->reserve(bytes);
    adviseLargePages(bytes_->data(), bytes_->capacity());
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
    return LineRun{bytes.data(), ends.data(), i, i + 1}[i];
  }

  std::shared_ptr<std::string> bytes_;
  std::shared_ptr<std::vector<size_t>> ends_;
};

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
    if (isFullWidth(texts[i])) return;
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
    const std::string& bytes = lines_.bytes();
    const std::less_equal<const char*> notAfter;  // a total order over unrelated buffers too
    return notAfter(bytes.data(), v.data()) && notAfter(v.data() + v.size(), bytes.data() + bytes.size());
  }
  friend class CellReader;
  std::string_view getWith(const RowCache& cache, int32_t r, int32_t i) const {
    if (isCut(r)) return cache.row(r).text(size_t(i));
    const Span& s = span(r, i);
    return std::string_view(s.inLines ? lines_.bytes() : bytes_).substr(s.offset, s.length);
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
