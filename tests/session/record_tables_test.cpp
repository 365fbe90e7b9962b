// The record line table rewritten line by line: in its own bytes while the
// new lines fit, in new bytes from the first that does not, and never under
// cells that still refer to the old lines.
#include "session/record_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
  table.rewrite([&](size_t i, std::string_view, std::string& out) {
    seen.push_back(i);
    out = lines[i];
  });
  ASSERT_EQ(seen.size(), lines.size());
  for (size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], i);
}

TEST(LineTable, RewriteHandsOverEveryLineAsItWas) {
  LineTable table = tableOf({"ab", "", "cde"});
  std::vector<std::string> given;
  table.rewrite([&](size_t, std::string_view line, std::string& out) {
    given.emplace_back(line);
    out = std::string(line) + std::string(line);  // each line grows
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

}  // namespace
}  // namespace headly
