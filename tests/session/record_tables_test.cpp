// The record line table rewritten line by line (the tests' oracle of the
// rebuilt lines), never under cells that still refer to the old lines;
// cells of data records cut from their lines as they are read.
#include "session/cell_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/reorder_oracle.h"

namespace headly {
namespace {

LineTable tableOf(const std::vector<std::string>& lines) {
  LineTable table;
  for (const std::string& line : lines) table.append(line);
  return table;
}

std::vector<std::string> linesOf(const LineTable& table) {
  std::vector<std::string> lines;
  for (size_t i = 0; i < table.size(); ++i) lines.emplace_back(table[i]);
  return lines;
}

// Rewrites every line to the text given for it.
void rewriteTo(LineTable& table, const std::vector<std::string>& lines) {
  std::vector<size_t> seen;
  test::rewriteLines(table, [&](size_t i, std::string_view, std::string& out) {
    seen.push_back(i);
    out += lines[i];
  });
  ASSERT_EQ(seen.size(), lines.size());
  for (size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], i);
}

TEST(LineTable, RewriteHandsOverEveryLineAsItWas) {
  LineTable table = tableOf({"ab", "", "cde"});
  std::vector<std::string> given;
  test::rewriteLines(table, [&](size_t, std::string_view line, std::string& out) {
    given.emplace_back(line);
    out.append(line).append(line);  // each line grows
  });
  EXPECT_EQ(given, (std::vector<std::string>{"ab", "", "cde"}));
  EXPECT_EQ(linesOf(table), (std::vector<std::string>{"abab", "", "cdecde"}));
}

TEST(LineTable, RewriteWithShorterLongerAndEmptyLines) {
  const std::vector<std::vector<std::string>> cases = {
      {"x", "yy", ""},                  // every line shrinks
      {"abcdef", "ghijkl", "mnopqr"},   // the same lengths
      {"abcdefgh", "g", "mnopqrstuvw"},  // the first grows: nothing fits in place
      {"", "ghijklmnopqr", "z"},        // the second grows by what the first gave up
      {"", "ghijklmnopqrs", "z"},       // one byte more than that
      {"", "", ""},
  };
  for (const std::vector<std::string>& rewritten : cases) {
    LineTable table = tableOf({"abcdef", "ghijkl", "mnopqr"});
    rewriteTo(table, rewritten);
    EXPECT_EQ(linesOf(table), rewritten);
    EXPECT_EQ(table.byteCount(), rewritten[0].size() + rewritten[1].size() + rewritten[2].size());
  }
}

TEST(LineTable, CellsThatReferToTheLinesKeepThemThroughARewrite) {
  LineTable table = tableOf({"a,b", "xy,z"});
  CellTable cells;
  cells.reset(2, 2);
  cells.shareLines(table);
  cells.setOrRefer(1, 0, table[1].substr(0, 2));
  rewriteTo(table, {"b", "zz"});
  EXPECT_EQ(cells.get(1, 0), "xy");
  EXPECT_EQ(linesOf(table), (std::vector<std::string>{"b", "zz"}));
}

// Cuts a line at its commas; a field in brackets counts as quoted. Counts
// the lines cut.
RowCutter commaCutter(const LineTable& table, int32_t items, std::vector<int32_t>& cutRecords) {
  return [lines = table.shared(), items, &cutRecords](int32_t r, CutRow& row) {
    cutRecords.push_back(r);
    const std::string_view line = lines[size_t(r)];
    row.texts.assign(size_t(items), {});
    row.quoted.assign(size_t(items), 0);
    size_t begin = 0;
    for (size_t f = 0; f < size_t(items) && begin <= line.size(); ++f) {
      const size_t end = std::min(line.find(',', begin), line.size());
      std::string_view text = line.substr(begin, end - begin);
      if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
        row.quoted[f] = 1;
        text = text.substr(1, text.size() - 2);
      }
      row.texts[f] = text;
      begin = end + 1;
    }
  };
}

TEST(CellTable, DataRowsAreCutWhenReadAndTheLastTwoStayCut) {
  LineTable table = tableOf({"name,value", "a,[1]", "b,2", "c"});
  std::vector<int32_t> cut;
  CellTable cells;
  cells.resetCutFromLines(4, 2, commaCutter(table, 2, cut));
  cells.set(0, 0, "name");
  EXPECT_EQ(cells.rows(), 4);
  EXPECT_EQ(cells.get(0, 0), "name");

  // A record and the one before it are compared as neighbours are.
  const std::string_view second = cells.get(2, 0);
  EXPECT_EQ(cells.get(1, 1), "1");
  EXPECT_TRUE(cells.quoted(1, 1));
  EXPECT_FALSE(cells.quoted(2, 1));
  EXPECT_EQ(second, "b");
  EXPECT_EQ(cells.get(2, 1), "2");
  EXPECT_EQ(cut, (std::vector<int32_t>{2, 1}));

  // Record 3 takes the place of record 1, which is cut again when read.
  EXPECT_EQ(cells.get(3, 0), "c");
  EXPECT_EQ(cells.get(3, 1), "");  // no field: empty
  EXPECT_EQ(second, "b");
  EXPECT_EQ(cells.get(1, 0), "a");
  EXPECT_EQ(cut, (std::vector<int32_t>{2, 1, 3, 1}));
}

TEST(CellTable, CutRowsKeepTheLinesTheyWereCutFromThroughARewrite) {
  LineTable table = tableOf({"h", "old,x"});
  std::vector<int32_t> cut;
  CellTable cells;
  cells.resetCutFromLines(2, 2, commaCutter(table, 2, cut));
  rewriteTo(table, {"h", "new,y,longer than before"});
  EXPECT_EQ(cells.get(1, 0), "old");
  EXPECT_EQ(linesOf(table), (std::vector<std::string>{"h", "new,y,longer than before"}));
}

}  // namespace
}  // namespace headly
