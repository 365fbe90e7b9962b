// The field parser over arbitrary lines: the input's lines (split at LF; the
// first is the header) go through the first parse (doubled quotes kept), the
// second parse (collapsed) and the second parse in full width. The three
// must agree with each other and with the check for extra data, lines
// without quotes must be cut exactly at their commas, and the longest values
// must be those of the cells.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "session/item_names.h"
#include "session/line_fields.h"
#include "support/plain_parse.h"
#include "text/encoding.h"
#include "text/full_width.h"

namespace headly::fuzz {
namespace {

struct Parse {
  test::ParsedLines state;
  std::vector<bool> extraData;
  std::string_view cell(int32_t r, int32_t i) const { return state.cells.get(r, i); }
};

Parse parse(const std::vector<std::string_view>& lines, int collapseQuotes, int fullWidth) {
  Parse p;
  p.state = test::parseLines(lines, collapseQuotes != 0, fullWidth != 0);
  p.extraData = p.state.extraData;
  return p;
}

void checkTables(const Parse& p) {
  const test::ParsedLines& s = p.state;
  const int32_t items = s.lastItemIndex + 1;
  check(s.cells.rows() == s.recordCount + 1 && s.cells.items() == items, "cells cover every record and item");
  for (int32_t i = 0; i < items; ++i) {
    int32_t longest = 0;
    for (int32_t r = 1; r <= s.recordCount; ++r) longest = std::max(longest, byteLength(p.cell(r, i)));
    check(s.itemMaxLength[size_t(i)] == longest, "the longest value is that of the data cells");
    if (s.blankItemName[size_t(i)]) check(p.cell(0, i) == sjis(kBlankItemName), "a blank item name shows as （空白）");
  }
}

// A line without quotes: its cells are the text between its commas, an
// empty header field followed by a comma is named （空白）, and the fields
// beyond the items count as extra data when one of them is not empty.
void checkUnquotedLine(const Parse& p, int32_t r, std::string_view line) {
  std::vector<std::string_view> fields;
  for (size_t at = 0; at < line.size();) {
    const size_t comma = std::min(line.find(',', at), line.size());
    fields.push_back(line.substr(at, comma - at));
    at = comma + 1;
  }
  const size_t followedByComma = line.empty() ? 0 : fields.size() - (line.back() == ',' ? 0 : 1);
  const int32_t items = p.state.lastItemIndex + 1;
  bool extra = false;
  for (size_t f = 0; f < fields.size(); ++f) {
    if (f >= size_t(items)) {
      extra = extra || !fields[f].empty();
      continue;
    }
    const bool blankName = r == 0 && fields[f].empty() && f < followedByComma;
    check(p.cell(r, int32_t(f)) == (blankName ? std::string_view(sjis(kBlankItemName)) : fields[f]),
          "an unquoted field is the text between its commas");
    check(!p.state.quoted(r, int32_t(f)), "an unquoted field is not marked quoted");
  }
  for (size_t f = fields.size(); f < size_t(items); ++f)
    check(p.cell(r, int32_t(f)).empty(), "the items after a short line stay empty");
  check(p.extraData[size_t(r)] == extra, "extra data is reported when a field beyond the items holds some");
}

// The second parse's quoted cell is the first parse's with each doubled
// quote, from the left, taken as one.
std::string collapsedPairs(std::string_view cell) {
  std::string out;
  for (size_t i = 0; i < cell.size(); ++i) {
    out += cell[i];
    if (cell[i] == '"' && i + 1 < cell.size() && cell[i + 1] == '"') ++i;
  }
  return out;
}

}  // namespace
}  // namespace headly::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace headly;
  using namespace headly::fuzz;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> lines;
  for (size_t at = 0;;) {
    const size_t lf = std::min(input.find('\n', at), input.size());
    lines.push_back(input.substr(at, lf - at));
    if (lf == input.size()) break;
    at = lf + 1;
  }

  const Parse first = parse(lines, 0, 0), second = parse(lines, 1, 0), wide = parse(lines, 1, 1);
  for (const Parse* p : {&first, &second, &wide}) checkTables(*p);
  const int32_t items = first.state.lastItemIndex + 1;
  for (int32_t r = 0; r <= first.state.recordCount; ++r) {
    const std::string_view line = lines[size_t(r)];
    if (line.find('"') == std::string_view::npos) checkUnquotedLine(first, r, line);
    check(first.extraData[size_t(r)] == second.extraData[size_t(r)] &&
              second.extraData[size_t(r)] == wide.extraData[size_t(r)] &&
              hasExtraData(line, first.state.lastItemIndex) == first.extraData[size_t(r)],
          "every parse and the line check find the same extra data");
    for (int32_t i = 0; i < items; ++i) {
      check(first.state.quoted(r, i) == second.state.quoted(r, i) && second.state.quoted(r, i) == wide.state.quoted(r, i),
            "every parse marks the same fields quoted");
      // 0xFF 0xFF in the data reads as a doubled quote; only without it do
      // the two parses map one to one.
      if (line.find('\xff') == std::string_view::npos)
        check(second.cell(r, i) == (first.state.quoted(r, i) ? collapsedPairs(first.cell(r, i)) : first.cell(r, i)),
              "the second parse holds one quote for each doubled one");
      check(wide.cell(r, i) == (r == 0 ? second.cell(r, i) : std::string_view(toFullWidth(second.cell(r, i)))),
            "full width converts the data values and no item names");
    }
  }
  return 0;
}
