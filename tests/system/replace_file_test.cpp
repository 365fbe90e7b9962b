// FileMode::Replace: the lines go to a temporary file beside the target, the
// complete file takes the target's name at the close, and every failure on
// the way leaves the target as it was and no temporary file behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>

#include "support/error_code.h"
#include "support/faulty_file_system.h"
#include "support/special_files.h"
#include "support/text_files_on_disk.h"
#include "system/drives.h"
#include "text/encoding.h"
#include "system/file_system.h"
#include "text/runtime_error.h"
#include "system/text_files.h"

namespace headly {
namespace {

class ReplaceFileTest : public test::TextFilesOnDisk {
 protected:
  // The names in the test folder.
  std::set<std::string> names() const {
    std::set<std::string> out;
    for (const auto& entry : std::filesystem::directory_iterator(tmp.path())) out.insert(entry.path().filename());
    return out;
  }

  // Writes lines A and B to D:\out.txt through files and closes it; the
  // error code of the first step that fails, or 0.
  int replaceOut(TextFiles& with) {
    return codeOf([&] {
      with.openFile("D:\\out.txt", FileMode::Replace, 1);
      with.writeLine(1, "A");
      with.writeLine(1, "B");
      with.closeFiles();
    });
  }
};

using Names = std::set<std::string>;

TEST_F(ReplaceFileTest, TheTargetChangesOnlyWhenTheFileIsComplete) {
  tmp.write("out.txt", "old");
  files.openFile("D:\\out.txt", FileMode::Replace, 1);
  files.writeLine(1, std::string(100000, 'x'));  // more than one block: written already
  EXPECT_EQ(tmp.read("out.txt"), "old");
  // The new bytes lie in one hidden file beside the target.
  const Names during = names();
  ASSERT_EQ(during.size(), 2u);
  const std::string temporary = *during.begin() == "out.txt" ? *during.rbegin() : *during.begin();
  EXPECT_EQ(temporary[0], '.');
  EXPECT_GE(std::filesystem::file_size(tmp / temporary), 100000u);
  files.closeFiles();
  EXPECT_EQ(tmp.read("out.txt"), std::string(100000, 'x') + "\r\n\x1a");
  EXPECT_EQ(names(), Names{"out.txt"});
}

TEST_F(ReplaceFileTest, AMissingTargetIsCreated) {
  EXPECT_EQ(replaceOut(files), 0);
  EXPECT_EQ(tmp.read("out.txt"), "A\r\nB\r\n\x1a");
  EXPECT_EQ(names(), Names{"out.txt"});
  // Reading is not what the channel is for; a missing folder fails as usual.
  files.openFile("D:\\again.txt", FileMode::Replace, 1);
  EXPECT_EQ(codeOf([&] { files.readLine(1); }), err::kBadFileMode);
  EXPECT_EQ(codeOf([&] { files.atEnd(1); }), err::kBadFileMode);
  files.closeFiles();
  EXPECT_EQ(tmp.read("again.txt"), "\x1a");
  EXPECT_EQ(codeOf([&] { files.openFile("D:\\no\\such.txt", FileMode::Replace, 1); }), err::kFileNotFound);
  // 86 full-width characters are 172 bytes here but 258 in the native name.
  std::string longName;
  for (int i = 0; i < 86; ++i) longName += sjis("ｘ");
  EXPECT_EQ(codeOf([&] { files.openFile("D:\\" + longName, FileMode::Replace, 1); }), err::kBadFileName);
  EXPECT_EQ(names(), (Names{"again.txt", "out.txt"}));
}

TEST_F(ReplaceFileTest, AbandonedOutputLeavesTheOldFile) {
  tmp.write("out.txt", "old");
  files.openFile("D:\\out.txt", FileMode::Replace, 1);
  files.writeLine(1, std::string(200000, 'y'));
  files.abandonFiles();
  EXPECT_EQ(tmp.read("out.txt"), "old");
  EXPECT_EQ(names(), Names{"out.txt"});
}

TEST_F(ReplaceFileTest, WhatIsNotARegularFileIsRefusedAndLeftAlone) {
  mkdir((tmp / "folder").c_str(), 0777);
  test::makeFifo(tmp / "fifo");
  test::makeSocket(tmp / "sock");
  Names expected{"folder", "fifo", "sock"};
  if (test::makeFullDevice(tmp / "full")) expected.insert("full");
  for (const std::string& name : expected) {
    const mode_t type = test::entryType(tmp / name);
    EXPECT_EQ(codeOf([&] { files.openFile("D:\\" + name, FileMode::Replace, 1); }), err::kAccessDenied) << name;
    EXPECT_EQ(test::entryType(tmp / name), type) << name;
  }
  EXPECT_EQ(names(), expected);
}

TEST_F(ReplaceFileTest, ATargetThatBecameAFifoMeanwhileIsNotRenamedOver) {
  files.openFile("D:\\out.txt", FileMode::Replace, 1);
  files.writeLine(1, "A");
  test::makeFifo(tmp / "out.txt");
  EXPECT_EQ(codeOf([&] { files.closeFiles(); }), err::kAccessDenied);
  EXPECT_EQ(test::entryType(tmp / "out.txt"), mode_t(S_IFIFO));
  EXPECT_EQ(names(), Names{"out.txt"});
}

TEST_F(ReplaceFileTest, AFullDiskAtAWriteLeavesTheOldFile) {
  tmp.write("out.txt", "old");
  test::FaultyFileSystem full(30000);
  TextFiles fullFiles(full, drives);
  fullFiles.openFile("D:\\out.txt", FileMode::Replace, 1);
  const int code = codeOf([&] {
    for (int i = 0; i < 1000; ++i) fullFiles.writeLine(1, std::string(98, 'x'));
  });
  EXPECT_EQ(code, err::kDiskFull);
  fullFiles.abandonFiles();
  EXPECT_EQ(tmp.read("out.txt"), "old");
  EXPECT_EQ(names(), Names{"out.txt"});
}

// The end mark, the sync, the close and the rename: a failure at any of them
// fails closeFiles, and the target keeps its bytes.
TEST_F(ReplaceFileTest, AFailureAtTheCloseLeavesTheOldFile) {
  struct Case {
    const char* step;
    size_t room;
    test::FaultyFileSystem::Faults faults;
    int code;
  };
  const Case cases[] = {
      {"end mark", 6, {}, err::kDiskFull},
      {"sync", 1000, {.sync = ENOSPC}, err::kDiskFull},
      {"sync", 1000, {.sync = EIO}, 27},
      {"close", 1000, {.close = EDQUOT}, err::kDiskFull},
      {"rename", 1000, {.rename = EACCES}, err::kAccessDenied},
  };
  for (const Case& c : cases) {
    tmp.write("out.txt", "old");
    test::FaultyFileSystem faulty(c.room, c.faults);
    TextFiles faultyFiles(faulty, drives);
    EXPECT_EQ(replaceOut(faultyFiles), c.code) << c.step;
    EXPECT_EQ(tmp.read("out.txt"), "old") << c.step;
    EXPECT_EQ(names(), Names{"out.txt"}) << c.step;
  }
}

mode_t permissionBits(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

// A private file stays private and a shared one shared: the new file gets
// the old one's permission bits (and owner and group where the process may).
TEST_F(ReplaceFileTest, TheReplacedFileKeepsItsMode) {
  for (const mode_t mode : {mode_t(0600), mode_t(0640), mode_t(0604)}) {
    tmp.write("out.txt", "old");
    ASSERT_EQ(::chmod((tmp / "out.txt").c_str(), mode), 0);
    ASSERT_EQ(replaceOut(files), 0);
    EXPECT_EQ(tmp.read("out.txt"), "A\r\nB\r\n\x1a");
    EXPECT_EQ(permissionBits(tmp / "out.txt"), mode) << std::oct << mode;
  }
}

// Written through a symbolic link, as an editor does: the link stays, the
// file it points to (in another folder, or reached through a second link)
// gets the new bytes and keeps its mode; a link to a missing file creates
// that file.
TEST_F(ReplaceFileTest, ALinkIsKeptAndTheFileItPointsToReplaced) {
  ASSERT_EQ(::mkdir((tmp / "real").c_str(), 0777), 0);
  tmp.write("real/target.txt", "old");
  ASSERT_EQ(::chmod((tmp / "real/target.txt").c_str(), 0600), 0);
  ASSERT_EQ(::symlink("real/target.txt", (tmp / "hop").c_str()), 0);
  ASSERT_EQ(::symlink("hop", (tmp / "out.txt").c_str()), 0);
  ASSERT_EQ(replaceOut(files), 0);
  EXPECT_EQ(test::entryType(tmp / "out.txt"), mode_t(S_IFLNK));
  EXPECT_EQ(test::entryType(tmp / "hop"), mode_t(S_IFLNK));
  EXPECT_EQ(tmp.read("real/target.txt"), "A\r\nB\r\n\x1a");
  EXPECT_EQ(permissionBits(tmp / "real/target.txt"), mode_t(0600));
  EXPECT_EQ(names(), (Names{"hop", "out.txt", "real"}));

  std::filesystem::remove(tmp / "real/target.txt");
  ASSERT_EQ(replaceOut(files), 0);
  EXPECT_EQ(test::entryType(tmp / "out.txt"), mode_t(S_IFLNK));
  EXPECT_EQ(tmp.read("real/target.txt"), "A\r\nB\r\n\x1a");
}

// A link to a FIFO (think of /dev/stdout) is refused and stays a link; so is
// a link to a folder. Appending never goes through a link.
TEST_F(ReplaceFileTest, ALinkToWhatIsNotARegularFileIsRefusedAndKept) {
  test::makeFifo(tmp / "fifo");
  ASSERT_EQ(::mkdir((tmp / "folder").c_str(), 0777), 0);
  ASSERT_EQ(::symlink("fifo", (tmp / "to-fifo").c_str()), 0);
  ASSERT_EQ(::symlink("folder", (tmp / "to-folder").c_str()), 0);
  for (const char* name : {"to-fifo", "to-folder"}) {
    EXPECT_EQ(codeOf([&] { files.openFile(std::string("D:\\") + name, FileMode::Replace, 1); }), err::kAccessDenied)
        << name;
    EXPECT_EQ(test::entryType(tmp / name), mode_t(S_IFLNK)) << name;
  }
  EXPECT_EQ(test::entryType(tmp / "fifo"), mode_t(S_IFIFO));
  EXPECT_EQ(names(), (Names{"fifo", "folder", "to-fifo", "to-folder"}));
}

}  // namespace
}  // namespace headly
