// Where a line ends in a file whose lines end in a bare LF: an LF inside an
// open quoted field belongs to the value, as spreadsheets and other CSV
// readers take it (in a file with CR LF lines it never ends a line anyway).
// A quote opens a field only at the field's start; inside it a doubled
// quote stands for one quote and any other quote closes the field.
#pragma once

#include <string_view>

namespace headly {

class QuotedFields {
 public:
  // A new line starts outside any field.
  void startLine() { state_ = State::FieldStart; }
  // Follows the bytes of a line, in pieces as they come.
  void follow(std::string_view bytes);
  // True when an LF now would be part of a quoted value.
  bool insideQuotes() const { return state_ == State::Quoted; }

 private:
  enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted };
  State state_ = State::FieldStart;
};

}  // namespace headly
