// The field parser: splits record lines at commas into the cells of their
// row, with double-quote quoting (a comma inside quotes is data, a doubled
// quote stands for one quote), and keeps per item the longest value, which
// fields were quoted and which item names were empty.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "session/ordered_blocks.h"
#include "session/session_data.h"
#include "session/work_progress.h"
#include "text/byte_marks.h"
#include "text/full_width.h"

namespace headly {

// The name shown for an item whose header field is empty.
inline constexpr char kBlankItemName[] = "（空白）";

// Appends text to out with every doubled quote, left to right, made one.
void collapseDoubledQuotes(std::string_view text, SjisString& out);

// The highest item index of a header line: its number of comma bytes, those
// inside quotes included.
int32_t countLastItemIndex(std::string_view header);

// The fields of one line as the parser cuts them out, for items 0..items-1.
// A field is held as a position in the line or, when its quotes had to be
// reworked, in a buffer of its own, so the texts of every field stay valid
// together until the next line is cut.
class LineFields {
 public:
  // collapseQuotes: a doubled quote in a quoted field becomes one quote
  // (else it stays doubled).
  LineFields(int32_t items, bool collapseQuotes);

  // Cuts line, which must stay alive while the fields are read.
  void cut(std::string_view line);
  // Fields 0..count()-1 were found; the items after them have none.
  int32_t count() const { return count_; }
  std::string_view text(int32_t f) const {
    const Field& field = fields_[size_t(f)];
    return std::string_view((field.reworked ? reworked_.data() : line_.data()) + field.offset, field.length);
  }
  bool quoted(int32_t f) const { return fields_[size_t(f)].quoted; }
  // The text was reworked (its quotes) and is not found in the line.
  bool reworked(int32_t f) const { return fields_[size_t(f)].reworked; }
  // A quoted text that holds a quote and stands in the line as it is, its
  // doubled quotes kept.
  bool holdsQuote(int32_t f) const { return fields_[size_t(f)].holdsQuote; }
  int32_t items() const { return int32_t(items_); }
  // An empty field without quotes (nothing between two commas).
  bool blank(int32_t f) const { return !quoted(f) && fields_[size_t(f)].length == 0; }
  // A field beyond the last item held data.
  bool extraData() const { return extraData_; }
  // Some field's quotes were reworked: without that no quoted text holds a
  // quote or the marker byte.
  bool anyReworked() const { return anyReworked_; }

 private:
  // A line is far shorter than 4 GB.
  struct Field {
    uint32_t offset = 0, length = 0;
    bool reworked = false;  // held in reworked_, not in the line
    bool quoted = false;
    bool holdsQuote = false;
  };
  void add(size_t offset, size_t length, bool reworked, bool quoted, bool holdsQuote = false) {
    fields_[size_t(count_++)] = Field{uint32_t(offset), uint32_t(length), reworked, quoted, holdsQuote};
  }
  void addQuoted(std::string_view region, bool lastField);
  // Empties the fields before a line is cut.
  void restart();
  // Field f's region, as the walk gives it; false when the cut ends there.
  bool take(int32_t f, std::string_view region, bool quoted, bool last);
  // Cuts the line from its marks alone where its quotes pair plainly; false,
  // with the fields left unfinished, where a quote stands otherwise.
  bool cutByPairedQuotes();

  const size_t items_;
  const bool collapseQuotes_;
  std::string_view line_;
  std::vector<Field> fields_;  // one for every item, the first count_ in use
  int32_t count_ = 0;
  bool extraData_ = false;
  bool anyReworked_ = false;
  SjisString marked_, reworked_;
  ByteMarks marks_{',', '"'};
};

// Cuts a data line into fields and raises longest[f] to the length of each
// field's text (its full-width form when fullWidth); true when a field
// beyond the items held data.
bool measureLine(LineFields& fields, std::string_view line, bool fullWidth, std::vector<int32_t>& longest);

// Raises the longest text of item f, as it is and in full width, to text.
inline void raiseLongest(LongestTexts& longest, int32_t f, std::string_view text) {
  // The tallies of the threads may share cache lines: they are written only
  // when a text is longer, which soon is seldom.
  const int32_t length = int32_t(text.size());
  int32_t& longestAsItIs = longest.asTheyAre[size_t(f)];
  if (length > longestAsItIs) longestAsItIs = length;
  // No byte gives more than two in full width: a text of at most half the
  // longest so far cannot be longer.
  int32_t& longestConverted = longest.inFullWidth[size_t(f)];
  if (2 * length <= longestConverted) return;
  const int32_t converted = int32_t(fullWidthLength(text));
  if (converted > longestConverted) longestConverted = converted;
}

// Cuts a rebuilt data line with fields (which collapse quotes) and raises
// the longest texts of longest.
void measureRebuiltLine(LineFields& fields, std::string_view line, LongestTexts& longest);
// Raises the longest texts of into to those of from.
void joinLongest(LongestTexts& into, const LongestTexts& from);

// True when a field of line beyond items 0..lastItemIndex holds data.
bool hasExtraData(std::string_view line, int32_t lastItemIndex);

// Where field number field (from 0) of a marked line begins, found from the
// marks alone by pairing its quotes left to right, or npos when the line has
// no such field. That is where the field walk finds it while every quote
// before opens a field (at the line's start or after a comma), closes one
// (before a comma or the line's end) or stands next to another quote; for a
// line with a quote anywhere else, nothing.
std::optional<size_t> fieldStartByPairedQuotes(const ByteMarks& marks, size_t field);

// Cuts line with fields into row: a text that stands in the line stays there;
// one whose quotes were reworked, or that is converted to full width when
// fullWidth, goes to the row's bytes.
void cutIntoRow(LineFields& fields, std::string_view line, bool fullWidth, CutRow& row);

// Cuts the first items items of a data record's line as the state's
// collapseQuotes and fullWidth ask.
RowCutter rowCutter(const SessionData& state, int32_t items);

// Creates cells, itemMaxLength and blankItemName, empty and 0, for records
// 0..recordCount by items 0..lastItemIndex. The cells of the data records
// are cut from recordLines as they are read, with the state's collapseQuotes
// and fullWidth; the item names may refer to its bytes.
void createParseTables(SessionData& state);

class FieldParser {
 public:
  // Works on the tables of state with its collapseQuotes and fullWidth.
  explicit FieldParser(SessionData& state);

  // Cuts line, the line of record r: the item names into row 0 of the
  // cells; the texts of a data record, converted to full width when the
  // state asks for it, into the longest value of their items. Fields beyond
  // the last item are ignored; returns true when one of them held data.
  bool parseLine(int32_t r, std::string_view line);

 private:
  SessionData& state_;
  const int32_t items_;
  LineFields fields_;
};

// The second parse: records 0..recordCount of the rebuilt recordLines into
// the tables created by createParseTables, the data records in blocks on
// the threads of split. The longest texts measured by the rebuild are taken
// when they are there for these items.
void parseAllRecords(SessionData& state, ProgressDisplay& progress, const WorkSplit& split = {});

// The first parse, which keeps only what the later stages read from it:
// creates the tables for row 0 and cuts the header into the item names.
// The data lines are cut again when they are rebuilt.
void parseItemNames(SessionData& state);
// The number of data lines 1..recordCount whose extra fields held data.
int32_t countLinesWithExtraData(const SessionData& state, ProgressDisplay& progress, const WorkSplit& split = {});

}  // namespace headly
