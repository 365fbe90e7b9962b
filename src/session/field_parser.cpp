#include "session/field_parser.h"

#include <algorithm>
#include <bit>
#include <optional>

#include "session/rebuilt_lines.h"
#include "session/work_progress.h"
#include "text/byte_marks.h"
#include "text/byte_search.h"
#include "text/full_width.h"

namespace headly {

namespace {

constexpr std::string_view kDoubledQuote = "\"\"";
constexpr std::string_view kQuoteMarker = "\xFF\xFF";

// The quote that closes a quoted field whose text starts at p (a quote
// followed by a comma), stepping over doubled quotes; the line's size when
// the field runs to its end.
size_t closingQuote(const ByteMarks& marks, std::string_view line, size_t p) {
  const size_t end = line.size();
  for (p = marks.nextSecond(p); p != end; p = marks.nextSecond(p)) {
    if (p + 1 == end) return end;
    if (line[p + 1] == ',') return p;
    p += line[p + 1] == '"' ? 2 : 1;
  }
  return end;
}

// Walks the fields of line, whose commas and quotes marks holds, from the
// left: visit(f, region, quoted, last) gets field f's bytes (for a quoted
// field those after the opening quote, up to its closing quote, or to the
// end of the line for the last field) and returns false to stop the walk.
// The walk may start at the place from where field firstField begins.
template <class Visit>
void walkFields(const ByteMarks& marks, std::string_view line, Visit visit, size_t from = 0,
                int32_t firstField = 0) {
  const size_t end = line.size();
  ByteMarks::FirstCursor commas(marks);
  if (from > 0) commas.skipTo(from);
  size_t p = from;
  for (int32_t f = firstField; p != end; ++f) {
    const bool quoted = line[p] == '"';
    size_t stop;
    if (quoted) {
      stop = closingQuote(marks, line, ++p);
      // The commas inside the quotes and the one after them are passed.
      if (stop != end) commas.skipTo(stop + 2);
    } else {
      stop = commas.take();
    }
    const bool last = stop == end;
    if (!visit(f, line.substr(p, stop - p), quoted, last) || last) return;
    p = stop + (quoted ? 2 : 1);
  }
}

// Whether a field's text is empty, told from its region: a quoted last field
// loses its last byte, and doubled quotes never shrink to nothing.
bool emptyText(std::string_view region, bool quoted, bool last) {
  return region.size() <= (quoted && last ? 1u : 0u);
}

// Reads a marked line sixty-four bytes at a time, pairing its quotes from
// the left: a byte after an odd number of quotes is inside quotes. That is
// how the field walk reads the line while every quote opens a field (at the
// line's start or after a comma), closes one (before a comma or the line's
// end) or stands next to another quote, which doubles it.
class PairedQuotes {
 public:
  explicit PairedQuotes(const ByteMarks& marks) : marks_(marks) {}

  // The commas outside quotes in word w, the words asked in order; nothing
  // when a quote of the word stands elsewhere.
  std::optional<uint64_t> separators(size_t w) {
    const uint64_t quotes = marks_.secondWord(w), commas = marks_.firstWord(w);
    uint64_t open = quotes;
    for (int shift = 1; shift < 64; shift *= 2) open ^= open << shift;
    open ^= inside_;
    const size_t size = marks_.size();
    const uint64_t next =
        w + 1 < marks_.wordCount() ? (marks_.firstWord(w + 1) | marks_.secondWord(w + 1)) & 1 : 0;
    const uint64_t lastByte = size > 0 && (size - 1) / 64 == w ? uint64_t(1) << ((size - 1) % 64) : 0;
    const uint64_t marked = commas | quotes;
    const uint64_t afterMark = (marked << 1) | afterMark_;
    const uint64_t beforeMark = (marked >> 1) | (next << 63) | lastByte;
    if ((quotes & open & ~afterMark) != 0 || (quotes & ~open & ~beforeMark) != 0) return std::nullopt;
    inside_ = open >> 63 != 0 ? ~uint64_t(0) : 0;
    afterMark_ = marked >> 63;
    return commas & ~open;
  }

 private:
  const ByteMarks& marks_;
  uint64_t inside_ = 0;     // all ones while a quote is open where a word starts
  uint64_t afterMark_ = 1;  // the line's first byte counts as after a comma
};

// Appends s to out with every pair of the byte c, left to right, replaced
// by to, which is at most two bytes: out grows by at most s's size, and the
// bytes go straight to their place (texts are short and their pieces
// shorter, where an append for every piece cost more than the bytes).
void appendPairsReplaced(std::string_view s, char c, std::string_view to, SjisString& out) {
  const size_t start = out.size();
  out.resize(start + s.size());
  char* w = out.data() + start;
  const char* p = s.data();
  const char* const end = p + s.size();
  while (p != end) {
    if (*p == c && end - p >= 2 && p[1] == c) {
      for (const char b : to) *w++ = b;
      p += 2;
    } else {
      *w++ = *p++;
    }
  }
  out.resize(size_t(w - out.data()));
}

}  // namespace

void collapseDoubledQuotes(std::string_view text, SjisString& out) { appendPairsReplaced(text, '"', "\"", out); }

int32_t countLastItemIndex(std::string_view header) {
  return int32_t(countByte(header, ','));
}

LineFields::LineFields(int32_t items, bool collapseQuotes)
    : items_(size_t(items)), collapseQuotes_(collapseQuotes), fields_(items_) {}

void LineFields::cut(std::string_view line) {
  line_ = line;
  marks_.mark(line);
  if (cutByPairedQuotes()) return;
  // A quote stands where only walking the fields reads it right.
  restart();
  walkFields(marks_, line, [&](int32_t f, std::string_view region, bool quoted, bool last) {
    return take(f, region, quoted, last);
  });
}

void LineFields::restart() {
  count_ = 0;
  anyReworked_ = false;
  reworked_.clear();
  extraData_ = false;
}

bool LineFields::take(int32_t f, std::string_view region, bool quoted, bool last) {
  if (size_t(f) >= items_) {
    extraData_ = !emptyText(region, quoted, last);
    return !extraData_;
  }
  if (quoted)
    addQuoted(region, last);
  else
    add(size_t(region.data() - line_.data()), region.size(), false, false);
  return true;
}

bool LineFields::cutByPairedQuotes() {
  restart();
  const std::string_view line = line_;
  PairedQuotes pairs(marks_);
  int32_t f = 0;
  size_t start = 0;
  // A quoted field's region lies between its quotes, or runs to the line's
  // end when it is the last.
  const auto takeField = [&](size_t stop, bool last) {
    const bool quoted = line[start] == '"';
    const size_t from = start + (quoted ? 1 : 0), to = quoted && !last ? stop - 1 : stop;
    return take(f++, std::string_view(line.data() + from, to - from), quoted, last);
  };
  for (size_t w = 0; w < marks_.wordCount(); ++w) {
    const std::optional<uint64_t> separators = pairs.separators(w);
    if (!separators) return false;
    for (uint64_t bits = *separators; bits != 0; bits &= bits - 1) {
      const size_t at = w * 64 + size_t(std::countr_zero(bits));
      if (!takeField(at, false)) return true;
      start = at + 1;
    }
  }
  if (start < line.size()) takeField(line.size(), true);
  return true;
}

void LineFields::addQuoted(std::string_view region, bool lastField) {
  // Without a quote or a marker byte the text is the region as it stands.
  const size_t inLine = size_t(region.data() - line_.data());
  if (!holdsEither(region, '"', kQuoteMarker[0])) {
    if (lastField && !region.empty()) region.remove_suffix(1);
    add(inLine, region.size(), false, true);
    return;
  }
  const std::string_view doubled = collapseQuotes_ ? "\"" : kDoubledQuote;
  const size_t offset = reworked_.size();
  if (holdsByte(region, kQuoteMarker[0])) {
    // While the field is cut out every doubled quote is held as the marker,
    // so the closing quote of a last field is dropped as a byte of its
    // own...
    marked_.clear();
    appendPairsReplaced(region, '"', kQuoteMarker, marked_);
    if (lastField && !marked_.empty()) marked_.pop_back();
    // ...then each marker becomes the doubled quote again, or the one quote
    // it stands for when quotes are collapsed.
    appendPairsReplaced(marked_, kQuoteMarker[0], doubled, reworked_);
  } else if (!lastField) {
    // Without a marker byte of the text's own, the passes above come to
    // each doubled quote made what it becomes at once: doubled quotes that
    // stay doubled come out as they went in.
    if (!collapseQuotes_) {
      add(inLine, region.size(), false, true, true);
      return;
    }
    appendPairsReplaced(region, '"', doubled, reworked_);
  } else {
    // A last field's last byte is dropped; where it closes a doubled quote
    // (an even run of quotes ends the field), the half of its marker that is
    // left stays the marker byte.
    size_t run = 0;
    while (run < region.size() && region[region.size() - 1 - run] == '"') ++run;
    const bool closesPair = run > 0 && run % 2 == 0;
    const std::string_view text = region.substr(0, region.size() - (closesPair ? 2 : 1));
    // Closed by its quote alone, the text ends in no quote of its own and
    // stands in the line as that of any other field does ("a","b" at a
    // line's end, as many files quote every field).
    if (run == 1) {
      const bool holdsQuote = holdsByte(text, '"');
      if (!collapseQuotes_ || !holdsQuote) {
        add(inLine, text.size(), false, true, holdsQuote);
        return;
      }
    }
    appendPairsReplaced(text, '"', doubled, reworked_);
    if (closesPair) reworked_.push_back(kQuoteMarker[0]);
  }
  add(offset, reworked_.size() - offset, true, true);
  anyReworked_ = true;
}

std::optional<size_t> fieldStartByPairedQuotes(const ByteMarks& marks, size_t field) {
  if (field == 0) return 0;
  PairedQuotes pairs(marks);
  size_t separators = 0;
  for (size_t w = 0; w < marks.wordCount(); ++w) {
    const std::optional<uint64_t> found = pairs.separators(w);
    if (!found) return std::nullopt;
    uint64_t bits = *found;
    const size_t count = countBits(bits);
    if (separators + count >= field) {
      for (; separators + 1 < field; ++separators) bits &= bits - 1;
      return w * 64 + size_t(std::countr_zero(bits)) + 1;
    }
    separators += count;
  }
  return std::string_view::npos;
}

bool hasExtraData(std::string_view line, int32_t lastItemIndex) {
  thread_local ByteMarks marks(',', '"');
  marks.mark(line);
  // Every field after the first starts after a comma: without more commas
  // than the last item's index there is no field beyond it.
  if (lastItemIndex >= 0 && marks.countFirst() <= size_t(lastItemIndex)) return false;
  // Where the quotes pair plainly, the fields after the items are walked
  // alone.
  size_t from = 0;
  int32_t firstField = 0;
  if (lastItemIndex >= 0) {
    if (const std::optional<size_t> start = fieldStartByPairedQuotes(marks, size_t(lastItemIndex) + 1)) {
      if (*start == std::string_view::npos) return false;
      from = *start;
      firstField = lastItemIndex + 1;
    }
  }
  bool extra = false;
  walkFields(
      marks, line,
      [&](int32_t f, std::string_view region, bool quoted, bool last) {
        extra = f > lastItemIndex && !emptyText(region, quoted, last);
        return !extra;
      },
      from, firstField);
  return extra;
}

namespace {

// Makes row ready for items texts, with room for the converted texts of a
// line of lineSize bytes: reworked texts are no longer than the line,
// converted ones at most twice as long as their fields, so with room for
// twice the line the bytes never move and texts can point into them as they
// are written.
void startRow(CutRow& row, size_t items, size_t lineSize, bool fullWidth) {
  row.texts.assign(items, std::string_view());
  row.quoted.assign(items, 0);
  // Without full width no text is ever converted.
  if (fullWidth)
    row.toConvert.assign(items, 0);
  else
    row.toConvert.clear();
  if (row.bytes.size() < 2 * lineSize) row.bytes.resize(2 * lineSize);
  row.bytesUsed = 0;
}

// Field f of row: a text that stands in the line stays there, converted to
// full width when fullWidth as it is read; one that does not goes to the
// row's bytes, converted at once.
void putText(CutRow& row, size_t f, std::string_view text, bool quoted, bool inLine, bool fullWidth) {
  row.quoted[f] = quoted ? 1 : 0;
  if (inLine) {
    row.texts[f] = text;
    if (fullWidth) row.toConvert[f] = text.empty() ? 0 : 1;
    return;
  }
  char* const begin = row.bytes.data() + row.bytesUsed;
  char* const end =
      fullWidth && !isFullWidth(text) ? writeFullWidth(text, begin) : std::copy(text.begin(), text.end(), begin);
  row.texts[f] = std::string_view(begin, size_t(end - begin));
  row.bytesUsed += size_t(end - begin);
}

// The row that cutting the rebuilt line of items gives, taken from read,
// which cut the line read and reworked no quotes: the rebuilt line would
// cut again into the very texts it is built from.
void takeRebuiltIntoRow(const LineFields& read, const std::vector<int>& items, std::string_view line, size_t count,
                        bool fullWidth, CutRow& row) {
  startRow(row, count, line.size(), fullWidth);
  for (size_t k = 0; k < items.size() && k < count; ++k) {
    const RebuiltField field = secondParseField(read, items[k], row.rebuilt);
    putText(row, k, field.text, field.quoted, field.text.data() != row.rebuilt.data(), fullWidth);
  }
}

}  // namespace

void cutIntoRow(LineFields& fields, std::string_view line, bool fullWidth, CutRow& row) {
  fields.cut(line);
  startRow(row, size_t(fields.items()), line.size(), fullWidth);
  for (int32_t f = 0; f < fields.count(); ++f)
    putText(row, size_t(f), fields.text(f), fields.quoted(f), !fields.reworked(f), fullWidth);
}

RowCutter rowCutter(const SessionData& state, int32_t items) {
  const bool fullWidth = state.fullWidth != 0;
  LineFields fields(items, state.collapseQuotes != 0);
  if (!state.rebuildOnRead.active) {
    return [lines = state.recordLines.shared(), fields, fullWidth](int32_t r, CutRow& row) mutable {
      cutIntoRow(fields, lines[size_t(r)], fullWidth, row);
    };
  }
  // The line read is cut first up to the last item that the row's items
  // take: without reworked quotes those fields are all the row needs. Else
  // the rebuilt line is made of every field, since a reworked text may run
  // on into the fields after it when the line is cut again.
  const RebuildOnRead& onRead = state.rebuildOnRead;
  const auto taken = onRead.items.begin() + std::min(onRead.items.size(), size_t(std::max(items, 0)));
  const int32_t fieldsTaken = taken == onRead.items.begin() ? 0 : *std::max_element(onRead.items.begin(), taken) + 1;
  return [lines = state.recordLines.shared(), fields, read = LineFields(fieldsTaken, false),
          whole = LineFields(onRead.fieldsRead, false), order = onRead.items,
          fullWidth](int32_t r, CutRow& row) mutable {
    const std::string_view line = lines[size_t(r)];
    read.cut(line);
    if (!read.anyReworked()) {
      takeRebuiltIntoRow(read, order, line, size_t(fields.items()), fullWidth, row);
      return;
    }
    LineFields& every = whole.items() == read.items() ? read : whole;
    if (&every != &read) every.cut(line);
    row.rebuilt.clear();
    buildRebuiltLine(order, line, every, row.rebuilt);
    cutIntoRow(fields, row.rebuilt, fullWidth, row);
  };
}

namespace {

// The item names' tables, and data rows 1..rows-1 cut from the lines. With
// no data rows nothing holds on to the lines, which the rebuild then writes
// over in place.
void createTables(SessionData& state, int32_t rows) {
  const int32_t items = state.lastItemIndex + 1;
  if (rows > 1) {
    state.cells.resetCutFromLines(rows, items, rowCutter(state, items));
  } else {
    state.cells.reset(rows, items);
  }
  state.itemMaxLength.assign(size_t(items), 0);
  state.blankItemName.assign(size_t(items), 0);
}

}  // namespace

void createParseTables(SessionData& state) {
  createTables(state, state.recordCount + 1);
  state.cells.shareLines(state.recordLines);
}

FieldParser::FieldParser(SessionData& state)
    : state_(state), items_(state.lastItemIndex + 1), fields_(items_, state.collapseQuotes != 0) {}

bool measureLine(LineFields& fields, std::string_view line, bool fullWidth, std::vector<int32_t>& longest) {
  // Only the length of a converted text is needed here.
  fields.cut(line);
  for (int32_t f = 0; f < fields.count(); ++f) {
    const std::string_view text = fields.text(f);
    const size_t length = fullWidth && !isFullWidth(text) ? fullWidthLength(text) : text.size();
    longest[size_t(f)] = std::max(longest[size_t(f)], int32_t(length));
  }
  return fields.extraData();
}

void measureRebuiltLine(LineFields& fields, std::string_view line, LongestTexts& longest) {
  fields.cut(line);
  for (int32_t f = 0; f < fields.count(); ++f) raiseLongest(longest, f, fields.text(f));
}

void joinLongest(LongestTexts& into, const LongestTexts& from) {
  for (size_t f = 0; f < size_t(into.items); ++f) {
    into.asTheyAre[f] = std::max(into.asTheyAre[f], from.asTheyAre[f]);
    into.inFullWidth[f] = std::max(into.inFullWidth[f], from.inFullWidth[f]);
  }
}

bool FieldParser::parseLine(int32_t r, std::string_view line) {
  if (r > 0) return measureLine(fields_, line, state_.fullWidth != 0, state_.itemMaxLength);
  fields_.cut(line);
  for (int32_t f = 0; f < fields_.count(); ++f) {
    if (fields_.quoted(f)) state_.cells.markQuoted(0, f);
    if (fields_.blank(f)) {
      // An item needs a name to show.
      state_.cells.set(0, f, sjis(kBlankItemName));
      state_.blankItemName[size_t(f)] = 1;
    } else {
      state_.cells.setOrRefer(0, f, fields_.text(f));
    }
  }
  return fields_.extraData();
}

void parseAllRecords(SessionData& state, ProgressDisplay& display, const WorkSplit& split) {
  FieldParser(state).parseLine(0, state.headerLine());
  const int32_t items = state.lastItemIndex + 1;
  const LongestTexts measured = std::move(state.rebuiltLongest);
  state.rebuiltLongest = {};
  if (measured.items == items && state.collapseQuotes != 0) {
    state.itemMaxLength = state.fullWidth != 0 ? measured.inFullWidth : measured.asTheyAre;
    return;
  }
  // The records are cut as their cells will be. Each thread measures into
  // memory of its own, made on it, and hands the block's longest on.
  WorkProgress progress(display, "データの解析中", state.recordCount);
  struct Measurer {
    RowCutter cutter;
    CutRow row;
    std::vector<int32_t> longest;
  };
  runOrderedBlocks<std::vector<int32_t>>(
      1, int64_t(state.recordCount) + 1, settleSplit(split, state.recordLines.bytesPerLine()),
      [&] { return Measurer{rowCutter(state, items), CutRow{}, {}}; },
      [&](Measurer& mine, int64_t begin, int64_t end, std::vector<int32_t>& longest) {
        mine.longest.assign(size_t(items), 0);
        for (int64_t r = begin; r < end; ++r) {
          mine.cutter(int32_t(r), mine.row);
          for (size_t f = 0; f < size_t(items); ++f)
            mine.longest[f] = std::max(mine.longest[f], int32_t(mine.row.text(f).size()));
        }
        longest = mine.longest;
      },
      [&](int64_t, int64_t end, const std::vector<int32_t>& longest) {
        for (size_t f = 0; f < size_t(items); ++f)
          state.itemMaxLength[f] = std::max(state.itemMaxLength[f], longest[f]);
        progress.stepBlock(end - 1);
      });
  progress.finish();
}

void parseItemNames(SessionData& state) {
  // The names are copied: the rebuild writes its lines over the lines read.
  state.rebuildOnRead = {};
  createTables(state, 1);
  FieldParser(state).parseLine(0, state.recordLines[0]);
}

int32_t countLinesWithExtraData(const SessionData& state, ProgressDisplay& display, const WorkSplit& split) {
  WorkProgress progress(display, "データの解析中", state.recordCount);
  int32_t count = 0;
  const LineTable& lines = state.recordLines;
  runOrderedBlocks<int32_t>(
      1, int64_t(state.recordCount) + 1, settleSplit(split, lines.bytesPerLine()), [] { return 0; },
      [&](int, int64_t begin, int64_t end, int32_t& found) {
        found = 0;
        for (int64_t r = begin; r < end; ++r)
          if (hasExtraData(lines[size_t(r)], state.lastItemIndex)) ++found;
      },
      [&](int64_t, int64_t end, int32_t found) {
        count += found;
        progress.stepBlock(end - 1);
      });
  progress.finish();
  return count;
}

}  // namespace headly
