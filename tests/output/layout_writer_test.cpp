#include "app/output_stages.h"

#include <gtest/gtest.h>

#include "output/layout_fixture.h"
#include "support/program_fixture.h"

namespace headly::test {
namespace {

// The bytes of a layout file holding these lines (UTF-8).
std::string fileOf(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += sjis(line) + "\r\n";
  return bytes + "\x1a";
}

class LayoutWriterTest : public ::testing::Test, public ProgramFixture {
 protected:
  void run(LayoutFixture& layout) {
    runWriter(program, layout.records(), layout.layout(), internal() + "\\", SjisString());
  }
  // File mode into HEADLY.TXT of the temporary folder.
  std::string writeFile(LayoutFixture& layout) {
    backend.chosenFiles.push_back(internal("HEADLY.TXT"));
    run(layout);
    return temp.read("HEADLY.TXT");
  }
  // Folder mode, the base folder HEADLY made by "決定".
  void writeFolders(LayoutFixture& layout) {
    layout.state.options.folderMode = true;
    backend.press("BUTTON14");
    run(layout);
  }
  std::string readFile(const std::string& utf8Path) { return temp.read("HEADLY/" + utf8Path); }
};

TEST_F(LayoutWriterTest, FirstRecordHeadingEqualToItsNameIsNotRepeated) {
  LayoutFixture f({{"A", "B", "C"}, {"A", "B", "b1"}, {"A", "B", "b2"}}, 2);
  f.setHeading(0, 0);
  f.setHeading(1, 1);
  f.setFirstBody(2);
  // Level 0 compares equal with the item name; level 1 lies below the last
  // heading level written (0 at the start) and is written.
  EXPECT_EQ(writeFile(f), fileOf({" B", "  b1", "  b2"}));
}

TEST_F(LayoutWriterTest, NoDataRecordsLeaveOnlyTheEndMark) {
  LayoutFixture f({{"Region", "Shop"}}, 1);
  f.setHeading(0, 0);
  f.setFirstBody(2);
  EXPECT_EQ(writeFile(f), "\x1a");
}

TEST_F(LayoutWriterTest, FolderModeAlwaysStartsWithAHeadingBreak) {
  // The first value equals the item name: its file is made all the same.
  LayoutFixture f({{"店", "本文"}, {"店", "本文１"}, {"店", "本文２"}}, 1, true);
  f.setFirstBody(0);
  writeFolders(f);
  EXPECT_EQ(readFile("店.TXT"), fileOf({"本文１", "本文２"}));
}

}  // namespace
}  // namespace headly::test
