// The field parser: splits record lines at commas into the cells of their
// row, with double-quote quoting (a comma inside quotes is data, a doubled
// quote stands for one quote), and keeps per item the longest value, which
// fields were quoted and which item names were empty.
#pragma once

#include <cstdint>
#include <string_view>

#include "app/app_state.h"

namespace headly {

// The name shown for an item whose header field is empty.
inline constexpr char kBlankItemName[] = "（空白）";

// The highest item index of a header line: its number of comma bytes, those
// inside quotes included.
int32_t countLastItemIndex(std::string_view header);

// Creates cells, itemMaxLength, quotedCell and blankItemName, empty and 0,
// for records 0..recordCount by items 0..lastItemIndex.
void createParseTables(AppState& state);

class FieldParser {
 public:
  // Works on the tables of state with its collapseQuotes and fullWidth.
  explicit FieldParser(AppState& state);

  // Cuts line into the cells of record r. Fields beyond the last item are
  // ignored; returns true when one of them held data.
  bool parseLine(int32_t r, std::string_view line);

 private:
  // The text of a quoted field: region holds the bytes after the opening
  // quote up to the end of the field; the last field also drops its last
  // byte (the closing quote).
  std::string_view quotedText(std::string_view region, bool lastField);
  // Stores a field of record r as item f; false when f is beyond the items.
  bool store(int32_t r, int32_t f, std::string_view text);

  AppState& state_;
  const int32_t items_;
  SjisString marked_, restored_, converted_;
};

// Parses records 0..recordCount of recordLines into the tables created by
// createParseTables. Returns the number of lines whose extra fields held data.
int32_t parseAllRecords(Program& program);

}  // namespace headly
