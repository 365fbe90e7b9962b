#include "folders/heading_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/error_code.h"
#include "support/program_fixture.h"
#include "support/special_files.h"
#include "text/runtime_error.h"

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

// A symbolic link, a FIFO or a socket where a heading file is opened is
// refused (75) and left as it is, and so is what a link points to.
TEST_F(HeadingFoldersTest, WhatIsNotARegularFileIsNotAppendedTo) {
  std::filesystem::create_directory(temp / "base");
  temp.write("elsewhere.txt", "kept");
  std::filesystem::create_symlink(temp / "elsewhere.txt", temp / "base/link.TXT");
  makeFifo(temp / "base/fifo.TXT");
  makeSocket(temp / "base/sock.TXT");
  HeadingFolders folders(files, internal("base"), 1);
  for (const char* name : {"link.TXT", "fifo.TXT", "sock.TXT"}) {
    const mode_t type = entryType(temp / ("base/" + std::string(name)));
    EXPECT_EQ(codeOf([&] { folders.enterHeading(0, name); }), err::kAccessDenied) << name;
    EXPECT_EQ(entryType(temp / ("base/" + std::string(name))), type) << name;
  }
  EXPECT_EQ(temp.read("elsewhere.txt"), "kept");
}

// A link in the place of a heading folder, at any level, is refused (75)
// rather than followed: nothing is made or written where it points.
TEST_F(HeadingFoldersTest, ALinkInPlaceOfAHeadingFolderIsRefused) {
  std::filesystem::create_directories(temp / "base/a");
  std::filesystem::create_directory(temp / "elsewhere");
  std::filesystem::create_directory_symlink(temp / "elsewhere", temp / "base/link");
  std::filesystem::create_directory_symlink(temp / "elsewhere", temp / "base/a/link");
  HeadingFolders folders(files, internal("base"), 3);
  EXPECT_EQ(codeOf([&] { folders.enterHeading(0, "link"); }), err::kAccessDenied);
  folders.enterHeading(0, "a");
  EXPECT_EQ(codeOf([&] { folders.enterHeading(1, "link"); }), err::kAccessDenied);
  files.closeFiles();
  EXPECT_TRUE(std::filesystem::is_empty(temp / "elsewhere"));
}

}  // namespace
}  // namespace headly::test
