// The rebuilt record lines: classified items only, heading items first, and
// fields quoted exactly where the data file quoted them.
#include "output/csv_output.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "session/reorder_pass.h"
#include "support/program_fixture.h"
#include "support/reorder_oracle.h"
#include "text/encoding.h"

namespace headly {
namespace {

// Every rebuilt line of records, the item names line first.
std::vector<std::string> rebuiltLines(const ReorderedRecords& records) {
  std::vector<std::string> lines{toUtf8(SjisString(records.header()))};
  LineFields read = records.lineReader();
  for (int32_t r = 1; r <= records.recordCount(); ++r) {
    SjisString line;
    records.appendRebuiltLine(r, read, line);
    lines.push_back(toUtf8(line));
  }
  return lines;
}

// Loads the lines, classifies the items and rebuilds the lines.
std::vector<std::string> rebuilt(const std::vector<std::string>& utf8Lines, std::vector<int> headings,
                                 std::vector<int> others) {
  test::ProgramFixture f;
  LineTable lines;
  for (const std::string& line : utf8Lines) lines.append(sjis(line));
  const LoadedTable table(std::move(lines), int32_t(utf8Lines.size()) - 1, 0);
  const Classification classification(std::move(headings), std::move(others), RunOptions{});
  return rebuiltLines(reorderRecords(table, classification, f.program.progress));
}

TEST(CsvRebuild, HeadingItemsFirstInTheirOrderAndUnclassifiedItemsDropped) {
  EXPECT_EQ(rebuilt({"A,B,C,D", "a1,b1,c1,d1", "a2,b2,c2,d2"}, {2, 0}, {3}), (std::vector<std::string>{"C,A,D", "c1,a1,d1", "c2,a2,d2"}));
}

TEST(CsvRebuild, QuotedFieldsStayValidAndBareFieldsStayBare) {
  EXPECT_EQ(rebuilt({"商品,\"備考,注\",数量", "\"ノート,大\",\"言う \"\"A\"\"\",1 0", "ペン,\"x\"\"\",\"2\"",
                     "消しゴム,,\"ab\"c"},
                    {0}, {2, 1}),(std::vector<std::string>{
                            "商品,数量,\"備考,注\"",
                            "\"ノート,大\",1 0,\"言う \"\"A\"\"\"",
                            "ペン,\"2\",\"x\"\"\"",
                            // A last field running on after its quote keeps the quote, which is dropped.
                            "消しゴム,\"ab\",",
                        }));
}

TEST(CsvRebuild, BlankItemNamesAreWrittenEmpty) {
  EXPECT_EQ(rebuilt({"支店,,数量", "東京,x,5"}, {1}, {0, 2}), (std::vector<std::string>{",支店,数量", "x,東京,5"}));
}

TEST(CsvRebuild, EmptyItemsGiveCommasOnlyAndNoItemsAnEmptyLine) {
  EXPECT_EQ(rebuilt({"a,b,c", ",,x"}, {0}, {1}), (std::vector<std::string>{"a,b", ","}));
  EXPECT_EQ(rebuilt({"a,b", "1,2"}, {}, {}), (std::vector<std::string>{"", ""}));
  // Short lines come out longer than they went in, with the lines around them.
  EXPECT_EQ(rebuilt({"a,b,c,d", "1", "1,2,3,4", "", "\"1\"", "1,2,3,4"}, {3, 2}, {1, 0}),
            (std::vector<std::string>{"d,c,b,a", ",,,1", "4,3,2,1", ",,,", ",,,\"1\"", "4,3,2,1"}));
}

// Lines of random fields: quoted or not, with commas, quotes, doubled
// quotes, marker bytes, kana and kanji, some lines short of the items,
// under item names of which one may hold a quoted comma.
class RandomLines {
 public:
  explicit RandomLines(unsigned seed) : random_(seed) {}
  LoadedTable fill(int round, int32_t records) {
    LineTable lines;
    lines.append(round % 5 == 0 ? "h0,\"h,1\",h2,h3,h4" : "h0,h1,h2,h3,h4");
    std::vector<std::string> fields;
    for (int32_t r = 0; r < records; ++r) {
      // Half of the lines keep some first fields of the line before, now and
      // then quoted or unquoted.
      fields.resize(random_() % 2 == 0 ? std::min(fields.size(), size_t(random_() % 6)) : 0);
      for (std::string& kept : fields)
        if (random_() % 8 == 0) kept = kept.starts_with('"') ? kept.substr(1) : "\"" + kept + "\"";
      if (fields.empty()) fields.push_back(field());
      for (size_t n = random_() % 7; n > 0; --n) fields.push_back(field());
      std::string line = fields[0];
      for (size_t k = 1; k < fields.size(); ++k) line += "," + fields[k];
      lines.append(line);
    }
    return LoadedTable(std::move(lines), records, 0);
  }

 private:
  std::string field() {
    static const std::vector<std::string> pieces = {"a", "ab", ",", "\"", "\"\"", "\xFF", "\xFF\xFF", "\xB1", "\x8A\xBF", " "};
    std::string text;
    for (size_t n = random_() % 4; n > 0; --n) text += pieces[random_() % pieces.size()];
    return random_() % 3 == 0 ? "\"" + text + (random_() % 4 == 0 ? "" : "\"") : text;
  }
  std::mt19937 random_;
};

// Every item, or only the first two (the fields after them are never read).
Classification classificationForTheTests(int round) {
  const bool every = round % 3 != 1;
  return Classification(every ? std::vector<int>{3, 0} : std::vector<int>{1},
                        every ? std::vector<int>{4, 1, 2} : std::vector<int>{0}, RunOptions{});
}

// The rebuild measures the longest texts of the second parse without always
// cutting its lines again: the texts it measures must be those of cutting
// every rebuilt line again, whatever the fields hold.
TEST(CsvRebuild, MeasuresTheLongestTextsOfTheRebuiltLines) {
  RandomLines lines(11);
  for (int round = 0; round < 200; ++round) {
    test::ProgramFixture f;
    const LoadedTable table = lines.fill(round, 20);
    const ReorderedRecords records = reorderRecords(table, classificationForTheTests(round), f.program.progress);
    const test::WholeRebuild whole = test::rebuildWhole(table, classificationForTheTests(round));

    const LongestTexts& measured = records.longest();
    LongestTexts expected{measured.items, std::vector<int32_t>(size_t(measured.items)),
                          std::vector<int32_t>(size_t(measured.items))};
    LineFields fields(measured.items, true);
    for (int32_t r = 1; r <= table.recordCount(); ++r) measureRebuiltLine(fields, whole.lines[size_t(r)], expected);
    ASSERT_EQ(measured.asTheyAre, expected.asTheyAre) << round;
    ASSERT_EQ(measured.inFullWidth, expected.inFullWidth) << round;
  }
}

// The same random lines, classified alike, rebuilt whole in one program and
// only measured (rebuilt on reading) in the other.
struct BothWays {
  BothWays(RandomLines& first, RandomLines& second, int round, int32_t records, const WorkSplit& split)
      : tableA(first.fill(round, records)),
        tableB(second.fill(round, records)),
        a(test::rebuildWhole(tableA, classificationForTheTests(round), split)),
        b(reorderRecords(tableB, classificationForTheTests(round), onRead.program.progress, split)) {}
  test::ProgramFixture rebuilt, onRead;
  const LoadedTable tableA, tableB;
  const test::WholeRebuild a;
  const ReorderedRecords b;
};

// Without a CSV file the rebuilt lines are never made whole: the cells read
// from the lines read must be those of the rebuilt lines, text, quoting and
// full width, and so must the item names and the longest texts. The first
// items that a record is told to share with the record before must hold
// the same cells.
TEST(CsvRebuild, CellsOfLinesRebuiltOnReadAreThoseOfTheRebuiltLines) {
  int sharedCells = 0;
  for (const bool fullWidth : {false, true}) {
    RandomLines rebuiltLines(23), linesRead(23);
    for (int round = 0; round < 200; ++round) {
      BothWays both(rebuiltLines, linesRead, round, 30, WorkSplit{2, 3});
      RunOptions options;
      options.collapseQuotes = true;
      options.fullWidth = fullWidth;
      const RecordCells wholeCells = test::plainCells(both.a.lines, both.tableA.recordCount(), options);
      const RecordCells onReadCells = both.b.cells(options);
      ASSERT_EQ(wholeCells.lastItemIndex(), onReadCells.lastItemIndex());
      EXPECT_EQ(wholeCells.longest(), onReadCells.longest()) << round;
      const CellReader a = wholeCells.reader(), b = onReadCells.reader();
      // So must the first two items alone, for which less of a line is cut.
      const CellReader firstTwo = onReadCells.reader(2);
      const std::span<const uint8_t> unchanged = onReadCells.unchangedLeadingItems();
      ASSERT_EQ(unchanged.size(), size_t(onReadCells.recordCount()) + 1);
      for (int32_t r = 0; r <= wholeCells.recordCount(); ++r)
        for (int32_t i = 0; i <= wholeCells.lastItemIndex(); ++i) {
          if (r > 0 && i < unchanged[size_t(r)]) {
            ++sharedCells;
            ASSERT_EQ(a.get(r, i), a.get(r - 1, i)) << round << " " << r << " " << i;
          }
          ASSERT_EQ(a.get(r, i), b.get(r, i)) << round << " " << r << " " << i;
          ASSERT_EQ(a.quoted(r, i), b.quoted(r, i)) << round << " " << r << " " << i;
          if (i >= 2) continue;
          ASSERT_EQ(a.get(r, i), firstTwo.get(r, i)) << round << " " << r << " " << i;
          ASSERT_EQ(a.quoted(r, i), firstTwo.quoted(r, i)) << round << " " << r << " " << i;
        }
    }
  }
  EXPECT_GT(sharedCells, 500);
}

// The CSV file written from lines rebuilt on reading, on both threads, is
// byte for byte the one written from the lines made whole, in Shift-JIS and
// in UTF-8 with and without the byte order mark.
TEST(CsvRebuild, TheCsvFileOfLinesRebuiltOnReadIsThatOfTheWholeLines) {
  RandomLines rebuiltLines(31), linesRead(31);
  for (int round = 0; round < 20; ++round) {
    const OutputEncoding encoding = std::array{OutputEncoding::ShiftJis, OutputEncoding::Utf8,
                                               OutputEncoding::Utf8WithBom}[size_t(round % 3)];
    BothWays both(rebuiltLines, linesRead, round, 300, WorkSplit{2, 7});
    test::ProgramFixture& rebuilt = both.rebuilt;
    test::ProgramFixture& onRead = both.onRead;
    test::writeWholeLines(rebuilt.files, rebuilt.internal("OUT.CSV"), encoding, both.a.lines);
    writeCsvLines(both.b, onRead.files, onRead.internal("OUT.CSV"), encoding, onRead.program.progress);
    const std::string whole = rebuilt.temp.read("OUT.CSV");
    ASSERT_GT(whole.size(), 300u);
    ASSERT_EQ(onRead.temp.read("OUT.CSV"), whole) << round;
  }
}

TEST(CsvRebuild, TrailingQuoteTrim) {
  EXPECT_EQ(trimTrailingQuote("abc\""), "abc");
  EXPECT_EQ(trimTrailingQuote("\""), "");
  EXPECT_EQ(trimTrailingQuote("abc\"\""), "abc\"\"");
  EXPECT_EQ(trimTrailingQuote("abc"), "abc");
  EXPECT_EQ(trimTrailingQuote(""), "");
}

}  // namespace
}  // namespace headly
