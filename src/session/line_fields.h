// The fields of a record line: split at commas, with double-quote quoting
// (a comma inside quotes is data, a doubled quote stands for one quote),
// cut from the commas and quotes that ByteMarks marks.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "text/byte_marks.h"
#include "text/sjis_string.h"

namespace headly {

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

// True when a field of line beyond items 0..lastItemIndex holds data.
bool hasExtraData(std::string_view line, int32_t lastItemIndex);

// Where field number field (from 0) of a marked line begins, found from the
// marks alone by pairing its quotes left to right, or npos when the line has
// no such field. That is where the field walk finds it while every quote
// before opens a field (at the line's start or after a comma), closes one
// (before a comma or the line's end) or stands next to another quote; for a
// line with a quote anywhere else, nothing.
std::optional<size_t> fieldStartByPairedQuotes(const ByteMarks& marks, size_t field);

}  // namespace headly
