// The data path from the loaded lines to the layout, with its work split
// into blocks on several threads, gives the bytes of one thread: records
// with heading breaks at every block boundary, quotes, doubled quotes,
// half-width kana, double-byte characters, empty fields, extra fields and
// short lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "output/heading_name_check.h"
#include "output/layout_fixture.h"
#include "output/layout_writer.h"
#include "session/reorder_pass.h"
#include "support/program_fixture.h"
#include "support/reorder_oracle.h"

namespace headly::test {
namespace {

class SilentDisplay : public ProgressDisplay {
 public:
  void keepAlive() override {}
  void show(const SjisString&, int64_t, int64_t) override {}
};

// Data lines (UTF-8) of four items, the first two heading items: the first
// changes every 5 records, the second every 1 to 3.
std::vector<std::string> dataLines() {
  const char* notes[] = {"\"a,b\"",  "\"say \"\"hi\"\"\"", "ｶﾞｷﾞﾍﾟ", "",      "漢字表",
                         "\"\"",     "x,extra",          "\"end",  "ｱｲｳｴｵｶｷｸｹｺ", "\"q\"\"\",z"};
  std::vector<std::string> lines;
  int second = 0;
  for (int r = 0; r < 60; ++r) {
    if (r % 3 != 1) ++second;
    std::string line = "地区" + std::to_string(r / 5) + "," + (r % 7 == 0 ? "" : "ｼﾃﾝ" + std::to_string(second));
    if (r % 11 != 10) line += ",品" + std::to_string(r) + "," + notes[r % 10];
    lines.push_back(line);
  }
  return lines;
}

class SplitWorkTest : public ::testing::Test, public ProgramFixture {
 protected:
  // Runs the stages from the loaded lines to the layout with split; returns
  // the files written, by path below the temporary folder.
  // onRead: the cells are those of the records rebuilt on reading, as the
  // program has them, else those of the lines rebuilt whole.
  std::map<std::string, std::string> run(const WorkSplit& split, bool folderMode, bool fullWidth,
                                         bool onRead = false) {
    std::filesystem::remove_all(temp / "out");
    std::filesystem::create_directory(temp / "out");
    LayoutFixture f({{"地区", "支店", "品名", "摘要"}}, 2, fullWidth);
    LayoutState& s = f.state;
    LineTable lines;
    lines.append(sjis("地区,支店,品名,摘要"));
    for (const std::string& line : dataLines()) lines.append(sjis(line));
    const int32_t recordCount = int32_t(lines.size()) - 1;
    extraLines = countLinesWithExtraData(lines, recordCount, countLastItemIndex(lines[0]), display, split);
    const LoadedTable table(std::move(lines), recordCount, extraLines);
    const Classification classification({0, 1}, {3, 2}, RunOptions{});
    const ReorderedRecords records = reorderRecords(table, classification, display, split);
    RunOptions options;
    options.collapseQuotes = true;
    options.fullWidth = fullWidth;
    options.folderMode = folderMode;
    options.numbering = true;
    const RecordCells cells = onRead ? records.cells(options)
                                     : test::plainCells(test::rebuildWhole(table, classification, split).lines,
                                                        recordCount, options);
    // The longest texts measured by the rebuild are those the parse measures.
    EXPECT_EQ(records.cells(options).longest(),
              test::plainCells(test::rebuildWhole(table, classification, split).lines, recordCount, options).longest());
    s.itemMaxLength = cells.longest();
    for (int i = 0; i <= cells.lastItemIndex(); ++i)
      f.item(i).charsPerLine = f.item(i).valueMaxLength = float(s.itemMaxLength[size_t(i)]);
    f.setHeading(0, 0);
    f.setHeading(1, 2);
    f.setFirstBody(4);
    f.setBody(3, 2, "[", "]", false, 6);  // wraps: a multi-line layout
    const SjisString target = folderMode ? internal("out") : internal("out") + "\\HEADLY.TXT";
    writeLayout(cells, f.layout(), files, target, OutputEncoding::ShiftJis, display, split);
    std::map<std::string, std::string> written;
    for (const auto& e : std::filesystem::recursive_directory_iterator(temp / "out"))
      if (e.is_regular_file()) {
        const std::string name = e.path().string().substr(temp.path().size() + 1);
        written[name] = temp.read(name);
      }
    return written;
  }

  SilentDisplay display;
  int32_t extraLines = 0;
};

TEST_F(SplitWorkTest, AnySplitWritesTheBytesOfOneThread) {
  for (bool folderMode : {false, true})
    for (bool fullWidth : {false, true}) {
      const std::map<std::string, std::string> alone = run(WorkSplit{1, 1000}, folderMode, fullWidth);
      const int32_t extraAlone = extraLines;
      ASSERT_FALSE(alone.empty());
      EXPECT_GT(extraAlone, 0);
      for (const WorkSplit split : {WorkSplit{2, 1}, WorkSplit{2, 2}, WorkSplit{3, 3}, WorkSplit{2, 5}, WorkSplit{4, 7}}) {
        EXPECT_EQ(run(split, folderMode, fullWidth), alone)
            << split.threads << " threads, " << split.blockRecords << " a block, folders " << folderMode;
        EXPECT_EQ(extraLines, extraAlone);
      }
      EXPECT_EQ(run(WorkSplit{2, 3}, folderMode, fullWidth, true), alone) << "rebuilt on reading, folders " << folderMode;
    }
}

TEST_F(SplitWorkTest, FolderModeNumbersTheHeadingsAcrossBlocks) {
  const std::map<std::string, std::string> written = run(WorkSplit{2, 1}, true, false);
  // Twelve regions, numbered in the order met; the branches count from 1 in
  // every region, an empty one named "？", and a new region starts a file
  // even for the branch of the record before it.
  EXPECT_TRUE(written.count("out/01_地区0/01_？.TXT"));
  EXPECT_TRUE(written.count("out/01_地区0/02_ｼﾃﾝ1.TXT"));
  EXPECT_TRUE(written.count("out/03_地区2/01_ｼﾃﾝ7.TXT"));
  EXPECT_TRUE(written.count("out/12_地区11/03_ｼﾃﾝ39.TXT"));
  EXPECT_EQ(written.size(), 50u);
}

TEST_F(SplitWorkTest, TheFirstRefusedHeadingIsFoundWhateverTheSplit) {
  // The branch of record 38 holds a byte no name may hold; the ones after it
  // are never looked at.
  for (const WorkSplit split : {WorkSplit{1, 1000}, WorkSplit{2, 1}, WorkSplit{3, 4}}) {
    LayoutFixture f({{"地区", "支店", "摘要"}}, 2);
    LineTable lines;
    lines.append(sjis("地区,支店,摘要"));
    for (int r = 1; r <= 60; ++r)
      lines.append(sjis("R" + std::to_string(r / 4) + "," + (r == 38 ? "a*b" : r == 50 ? "c/d" : "B") + ",x"));
    const LoadedTable table(std::move(lines), 60, 0);
    RunOptions options;
    options.collapseQuotes = true;
    const RecordCells cells = reorderRecords(table, Classification({0, 1}, {2}, RunOptions{}), display, split).cells(options);
    const std::optional<RefusedHeading> refused = findRefusedHeading(cells, f.layout(), internal("out"), display, split);
    ASSERT_TRUE(refused) << split.threads;
    EXPECT_EQ(refused->value, "a*b");
    EXPECT_EQ(refused->fault, NameFault::BadCharacters);
  }
}

}  // namespace
}  // namespace headly::test
