#include "output/layout_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

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
    program.state = std::move(layout.state);
    program.state.workFolder = internal() + "\\";
    runWriter(program);
  }
  // File mode into HEADLY.TXT of the temporary folder.
  std::string writeFile(LayoutFixture& layout) {
    backend.chosenFiles.push_back(internal("HEADLY.TXT"));
    run(layout);
    return temp.read("HEADLY.TXT");
  }
  // Folder mode, the base folder HEADLY made by "決定".
  void writeFolders(LayoutFixture& layout, bool numbering) {
    backend.checks["CHECK3"] = 1;
    backend.checks["CHECK5"] = numbering ? 1 : 0;
    backend.press("BUTTON14");
    run(layout);
  }
  std::string readFile(const std::string& utf8Path) { return temp.read("HEADLY/" + utf8Path); }
};

LayoutFixture shopsAndPhones(bool telJoined) {
  LayoutFixture f({{"Region", "Shop", "Tel"},
                   {"Tokyo", "Ginza", "03-1111"},
                   {"Tokyo", "Ueno", "03-2222"},
                   {"Osaka", "Umeda", "06-3333"}},
                  1);
  f.setHeading(0, 0);
  f.setFirstBody(2);
  f.setBody(2, 1, "(", ")", telJoined);
  return f;
}

TEST_F(LayoutWriterTest, ShopsUnderTheirRegion) {
  LayoutFixture apart = shopsAndPhones(false);
  EXPECT_EQ(writeFile(apart), fileOf({"Tokyo", "  Ginza (03-1111)", "  Ueno  (03-2222)", "Osaka", "  Umeda (06-3333)"}));
  ASSERT_EQ(backend.fileRequests.size(), 1u);
  const FileDialogRequest& request = backend.fileRequests[0];
  EXPECT_TRUE(request.save);
  EXPECT_EQ(toUtf8(request.title), "データファイルの書き込み");
  EXPECT_EQ(request.initialPath, internal() + "\\HEADLY.TXT");
  EXPECT_EQ(toUtf8(request.filter), "ﾃｷｽﾄ形式(*.TXT)");
}

TEST_F(LayoutWriterTest, JoinedItemFollowsRightAfterThePreviousOne) {
  LayoutFixture joined = shopsAndPhones(true);
  EXPECT_EQ(writeFile(joined), fileOf({"Tokyo", "  Ginza (03-1111)", "  Ueno (03-2222)", "Osaka", "  Umeda (06-3333)"}));
}

TEST_F(LayoutWriterTest, ExistingFileIsReplaced) {
  temp.write("HEADLY.TXT", std::string(5000, 'x'));
  LayoutFixture layout = shopsAndPhones(false);
  EXPECT_EQ(writeFile(layout).substr(0, 7), "Tokyo\r\n");
}

TEST_F(LayoutWriterTest, CancelledSaveDialogWritesNothing) {
  backend.chosenFiles.push_back(kEscMarker);
  LayoutFixture layout = shopsAndPhones(false);
  run(layout);
  EXPECT_TRUE(std::filesystem::is_empty(temp.path()));
}

TEST_F(LayoutWriterTest, HeadingLinesOnlyAtHeadingBreaks) {
  LayoutFixture f({{"A", "B", "C", "D"},
                   {"x", "p", "1", "b1"},
                   {"x", "p", "2", "b2"},
                   {"x", "q", "2", "b3"},
                   {"y", "q", "2", "b4"}},
                  3);
  f.setHeading(0, 0);
  f.setHeading(1, 1);
  f.setHeading(2, 2);
  f.setFirstBody(3);
  EXPECT_EQ(writeFile(f), fileOf({"x", " p", "  1", "   b1", "  2", "   b2", " q", "  2", "   b3", "y", " q", "  2",
                                  "   b4"}));
}

TEST_F(LayoutWriterTest, FirstRecordHeadingEqualToItsNameIsNotRepeated) {
  LayoutFixture f({{"A", "B", "C"}, {"A", "B", "b1"}, {"A", "B", "b2"}}, 2);
  f.setHeading(0, 0);
  f.setHeading(1, 1);
  f.setFirstBody(2);
  // Level 0 compares equal with the item name; level 1 lies below the last
  // heading level written (0 at the start) and is written.
  EXPECT_EQ(writeFile(f), fileOf({" B", "  b1", "  b2"}));
}

TEST_F(LayoutWriterTest, FullWidthLayoutWrapsPadsAndSeparatesRecords) {
  LayoutFixture f({{"分類", "品名", "産地"}, {"果物類", "アイウエオカキクケコサシ", "青森"}}, 1, true);
  f.setHeading(0, 0);
  f.item(0).charsPerLine = 4;
  f.setFirstBody(2, 10);
  f.setBody(2, 2, "", "", false);
  EXPECT_EQ(writeFile(f), fileOf({"果物", "類", "　アイウエオ　青森", "　カキクケコ　　　", "　サシ　　　　　　",
                                  "　――――――――"}));
}

TEST_F(LayoutWriterTest, NoDataRecordsLeaveOnlyTheEndMark) {
  LayoutFixture f({{"Region", "Shop"}}, 1);
  f.setHeading(0, 0);
  f.setFirstBody(2);
  EXPECT_EQ(writeFile(f), "\x1a");
}

TEST_F(LayoutWriterTest, FolderTreeWithAContinuedFile) {
  LayoutFixture f({{"上", "下", "本文"},
                   {"ａ", "ｘ", "本文１"},
                   {"ａ", "ｘ", "本文２"},
                   {"ｂ", "ｘ", "本文３"},
                   {"ａ", "ｘ", "本文４"}},
                  2, true);
  f.setFirstBody(0);
  writeFolders(f, false);
  EXPECT_EQ(readFile("ａ/ｘ.TXT"), fileOf({"本文１", "本文２", "本文４"}));
  EXPECT_EQ(readFile("ｂ/ｘ.TXT"), fileOf({"本文３"}));
}

TEST_F(LayoutWriterTest, NumberedFoldersAndFiles) {
  std::vector<std::vector<std::string>> rows = {{"上", "下", "本文"}, {"ａ", "ｘ", "１"}, {"ａ", "ｙ", "２"},
                                                {"ｂ", "ｘ", "３"},   {"ａ", "ｘ", "４"}};
  while (rows.size() < 121) rows.push_back({"ａ", "ｘ", "５"});
  LayoutFixture f(rows, 2, true);
  f.setFirstBody(0);
  writeFolders(f, true);
  EXPECT_EQ(readFile("001_ａ/001_ｘ.TXT"), fileOf({"１"}));
  EXPECT_EQ(readFile("001_ａ/002_ｙ.TXT"), fileOf({"２"}));
  EXPECT_EQ(readFile("002_ｂ/001_ｘ.TXT"), fileOf({"３"}));
  std::vector<std::string> last = {"４"};
  last.resize(117, "５");
  EXPECT_EQ(readFile("003_ａ/001_ｘ.TXT"), fileOf(last));
  EXPECT_FALSE(std::filesystem::exists(temp / "HEADLY/ａ"));
}

TEST_F(LayoutWriterTest, FolderModeAlwaysStartsWithAHeadingBreak) {
  // The first value equals the item name: its file is made all the same.
  LayoutFixture f({{"店", "本文"}, {"店", "本文１"}, {"店", "本文２"}}, 1, true);
  f.setFirstBody(0);
  writeFolders(f, false);
  EXPECT_EQ(readFile("店.TXT"), fileOf({"本文１", "本文２"}));
}

}  // namespace
}  // namespace headly::test
