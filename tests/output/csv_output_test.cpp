// The rebuilt record lines: classified items only, heading items first, and
// fields quoted exactly where the data file quoted them.
#include "output/csv_output.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "session/field_parser.h"
#include "support/program_fixture.h"
#include "text/encoding.h"

namespace headly {
namespace {

// Loads the lines, parses the item names as the first parse does, classifies
// the items and rebuilds the lines.
std::vector<std::string> rebuilt(const std::vector<std::string>& utf8Lines, std::vector<int> headings,
                                 std::vector<int> others) {
  test::ProgramFixture f;
  AppState& s = f.program.state;
  for (const std::string& line : utf8Lines) s.recordLines.append(sjis(line));
  s.recordCount = int32_t(utf8Lines.size()) - 1;
  s.lastItemIndex = countLastItemIndex(s.recordLines[0]);
  parseItemNames(s);
  s.headingOrder = std::move(headings);
  s.headingCount = int(s.headingOrder.size());
  s.otherOrder = std::move(others);
  s.otherCount = int(s.otherOrder.size());
  rebuildRecordLines(s, f.program.progress);
  std::vector<std::string> lines;
  for (size_t r = 0; r < s.recordLines.size(); ++r) lines.push_back(toUtf8(s.recordLines[r]));
  return lines;
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
  void fill(AppState& s, int round, int32_t records) {
    s.recordLines.append(round % 5 == 0 ? "h0,\"h,1\",h2,h3,h4" : "h0,h1,h2,h3,h4");
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
      s.recordLines.append(line);
    }
    s.recordCount = records;
    s.lastItemIndex = countLastItemIndex(s.recordLines[0]);
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
void classifyForTheTests(AppState& s, int round) {
  parseItemNames(s);
  const bool every = round % 3 != 1;
  s.headingOrder = every ? std::vector<int>{3, 0} : std::vector<int>{1};
  s.headingCount = int(s.headingOrder.size());
  s.otherOrder = every ? std::vector<int>{4, 1, 2} : std::vector<int>{0};
  s.otherCount = int(s.otherOrder.size());
}

// The rebuild measures the longest texts of the second parse without always
// cutting its lines again: the texts it measures must be those of cutting
// every rebuilt line again, whatever the fields hold.
TEST(CsvRebuild, MeasuresTheLongestTextsOfTheRebuiltLines) {
  RandomLines lines(11);
  for (int round = 0; round < 200; ++round) {
    test::ProgramFixture f;
    AppState& s = f.program.state;
    lines.fill(s, round, 20);
    classifyForTheTests(s, round);
    rebuildRecordLines(s, f.program.progress);

    const LongestTexts& measured = s.rebuiltLongest;
    LongestTexts expected{measured.items, std::vector<int32_t>(size_t(measured.items)),
                          std::vector<int32_t>(size_t(measured.items))};
    LineFields fields(measured.items, true);
    for (int32_t r = 1; r <= s.recordCount; ++r) measureRebuiltLine(fields, s.recordLines[size_t(r)], expected);
    ASSERT_EQ(measured.asTheyAre, expected.asTheyAre) << round;
    ASSERT_EQ(measured.inFullWidth, expected.inFullWidth) << round;
  }
}

// The same random lines, classified alike, rebuilt whole in one program and
// only measured (rebuilt on reading) in the other.
struct BothWays {
  test::ProgramFixture rebuilt, onRead;
  AppState& a = rebuilt.program.state;
  AppState& b = onRead.program.state;
  BothWays(RandomLines& first, RandomLines& second, int round, int32_t records, const WorkSplit& split) {
    first.fill(a, round, records);
    second.fill(b, round, records);
    classifyForTheTests(a, round);
    classifyForTheTests(b, round);
    rebuildRecordLines(a, rebuilt.program.progress, split);
    measureRebuiltLines(b, onRead.program.progress, split);
  }
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
      AppState& a = both.a;
      AppState& b = both.b;
      ASSERT_FALSE(a.rebuildOnRead.active);
      ASSERT_TRUE(b.rebuildOnRead.active);
      for (AppState* s : {&a, &b}) {
        s->cells.release();
        s->lastItemIndex = countLastItemIndex(s->headerLine());
        s->collapseQuotes = 1;
        s->fullWidth = fullWidth ? 1 : 0;
        createParseTables(*s);
        parseAllRecords(*s, both.rebuilt.program.progress);
      }
      ASSERT_EQ(a.lastItemIndex, b.lastItemIndex);
      EXPECT_EQ(a.itemMaxLength, b.itemMaxLength) << round;
      // So must the first two items alone, for which less of a line is cut.
      const CellReader firstTwo(b.cells, rowCutter(b, 2));
      const std::vector<uint8_t>& unchanged = b.rebuildOnRead.unchangedLeadingItems;
      ASSERT_EQ(unchanged.size(), size_t(b.recordCount) + 1);
      for (int32_t r = 0; r <= a.recordCount; ++r)
        for (int32_t i = 0; i <= a.lastItemIndex; ++i) {
          if (r > 0 && i < unchanged[size_t(r)]) {
            ++sharedCells;
            ASSERT_EQ(a.cells.get(r, i), a.cells.get(r - 1, i)) << round << " " << r << " " << i;
          }
          ASSERT_EQ(a.cells.get(r, i), b.cells.get(r, i)) << round << " " << r << " " << i;
          ASSERT_EQ(a.cells.quoted(r, i), b.cells.quoted(r, i)) << round << " " << r << " " << i;
          if (i >= 2) continue;
          ASSERT_EQ(a.cells.get(r, i), firstTwo.get(r, i)) << round << " " << r << " " << i;
          ASSERT_EQ(a.cells.quoted(r, i), firstTwo.quoted(r, i)) << round << " " << r << " " << i;
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
    const AppState& a = both.a;
    const AppState& b = both.b;
    writeCsvLines(a, rebuilt.files, rebuilt.internal("OUT.CSV"), encoding, rebuilt.program.progress);
    writeCsvLines(b, onRead.files, onRead.internal("OUT.CSV"), encoding, onRead.program.progress);
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
