#include "folders/heading_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/program_fixture.h"

namespace headly::test {
namespace {

class HeadingFoldersTest : public ::testing::Test, public ProgramFixture {};

TEST_F(HeadingFoldersTest, ExistingFoldersAndFilesAreUsedAndContinued) {
  std::filesystem::create_directories(temp / "base/a");
  temp.write("base/a/keep.txt", "kept");
  temp.write("base/a/x.TXT", "earlier\r\n\x1a");
  HeadingFolders folders(files, internal("base"), 2);
  for (const char* line : {"one", "two"}) {
    folders.enterHeading(0, "a");
    folders.enterHeading(1, "x.TXT");
    files.writeLine(1, line);
  }
  files.closeFiles();
  EXPECT_EQ(temp.read("base/a/keep.txt"), "kept");
  EXPECT_EQ(temp.read("base/a/x.TXT"), "earlier\r\none\r\ntwo\r\n\x1a");
}

TEST_F(HeadingFoldersTest, ThreeLevelsNestTwoFoldersAndAFile) {
  std::filesystem::create_directory(temp / "base");
  HeadingFolders folders(files, internal("base"), 3);
  folders.enterHeading(0, "01_a");
  folders.enterHeading(1, "01_b");
  folders.enterHeading(2, "01_c.TXT");
  files.writeLine(1, "c1");
  folders.enterHeading(2, "02_c.TXT");
  files.writeLine(1, "c2");
  files.closeFiles();
  EXPECT_EQ(temp.read("base/01_a/01_b/01_c.TXT"), "c1\r\n\x1a");
  EXPECT_EQ(temp.read("base/01_a/01_b/02_c.TXT"), "c2\r\n\x1a");
}

TEST_F(HeadingFoldersTest, SingleLevelPutsTheFilesInTheBaseFolder) {
  std::filesystem::create_directory(temp / "base");
  HeadingFolders folders(files, internal("base"), 1);
  folders.enterHeading(0, "x.TXT");
  files.closeFiles();
  EXPECT_EQ(temp.read("base/x.TXT"), "\x1a");
}

}  // namespace
}  // namespace headly::test
