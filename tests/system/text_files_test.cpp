// Line reading, line writing, end marks and the error codes of the file-number
// model, on real files in a temporary folder mapped as drive D.
#include "system/path_text.h"
#include "system/text_files.h"

#include <gtest/gtest.h>

#include "support/error_code.h"
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>

#include "support/faulty_file_system.h"
#include "support/text_files_on_disk.h"
#include "system/drives.h"
#include "text/encoding.h"
#include "system/file_system.h"
#include "text/runtime_error.h"

namespace headly {
namespace {

class TextFilesTest : public test::TextFilesOnDisk {
 protected:
  // All lines of a file, read as the application reads them.
  std::vector<SjisString> readAll(const std::string& bytes) {
    tmp.write("in.txt", bytes);
    files.openFile("D:\\in.txt", FileMode::Input, 1);
    return readRest();
  }
};

using Lines = std::vector<SjisString>;

TEST_F(TextFilesTest, LineEnds) {
  EXPECT_EQ(readAll("A\r\nB\r\n"), (Lines{"A", "B"}));
  EXPECT_EQ(readAll("A\nB"), (Lines{"A\nB"}));
  EXPECT_EQ(readAll("A\rB"), (Lines{"A", "B"}));
  EXPECT_EQ(readAll("A\r\r\nB"), (Lines{"A", "", "B"}));
  EXPECT_EQ(readAll("A\n\rB"), (Lines{"A\n", "B"}));
  EXPECT_EQ(readAll("last line"), (Lines{"last line"}));
  EXPECT_EQ(readAll("\r\n"), (Lines{""}));
}

TEST_F(TextFilesTest, EndMarkOnlyAsTheLastByte) {
  EXPECT_EQ(readAll("A\r\n\x1a"), (Lines{"A"}));
  EXPECT_EQ(readAll("A\x1a"), (Lines{"A"}));
  EXPECT_EQ(readAll("A\x1a" "B\r\n"), (Lines{"A\x1a" "B"}));
  EXPECT_EQ(readAll("A\r\n\x1a\x1a"), (Lines{"A", "\x1a"}));
  EXPECT_EQ(readAll("\x1a"), Lines{});
  EXPECT_EQ(readAll("A\r\x1a"), (Lines{"A"}));
}

TEST_F(TextFilesTest, NulBytesAreDropped) {
  EXPECT_EQ(readAll(std::string("A\0B\r\n\0\0\r\nC\0", 11)), (Lines{"AB", "", "C"}));
}

TEST_F(TextFilesTest, AtEndAfterTheLastLineAndReadingPastIt) {
  tmp.write("in.txt", "A\r\n\x1a");
  files.openFile("D:\\in.txt", FileMode::Input, 1);
  EXPECT_FALSE(files.atEnd(1));
  EXPECT_EQ(files.readLine(1), "A");
  EXPECT_TRUE(files.atEnd(1));
  // The end mark itself can still be read: it ends an empty line.
  EXPECT_EQ(files.readLine(1), "");
  EXPECT_EQ(codeOf([&] { files.readLine(1); }), err::kReadPastEnd);

  tmp.write("empty.txt", "");
  files.openFile("D:\\empty.txt", FileMode::Input, 2);
  EXPECT_TRUE(files.atEnd(2));
  EXPECT_EQ(codeOf([&] { files.readLine(2); }), err::kReadPastEnd);
}

// The reader holds 64 KiB blocks; lines and line ends that fall across a block
// boundary must come out as if the file were read byte by byte.
TEST_F(TextFilesTest, LinesAcrossBlockBoundaries) {
  constexpr size_t kBlock = 64 * 1024;
  for (size_t crAt : {kBlock - 2, kBlock - 1, kBlock, kBlock + 1, 2 * kBlock - 1}) {
    std::string bytes;
    Lines expected;
    // Lines of 20000 bytes up to the chosen point, then a CR there.
    while (bytes.size() + 20002 < crAt) {
      expected.push_back(std::string(20000, char('a' + expected.size())));
      bytes += expected.back() + "\r\n";
    }
    expected.push_back(std::string(crAt - bytes.size(), 'x'));
    bytes += expected.back() + "\r\nnext\r\n\x1a";
    expected.push_back("next");
    ASSERT_EQ(bytes[crAt], '\r');
    EXPECT_EQ(readAll(bytes), expected) << "CR at " << crAt;
  }
}

TEST_F(TextFilesTest, EndMarkInTheNextBlockAfterACr) {
  constexpr size_t kBlock = 64 * 1024;
  std::string bytes;
  Lines expected;
  while (bytes.size() < kBlock - 30000) {
    expected.push_back(std::string(30000 - 2, 'q'));
    bytes += expected.back() + "\r\n";
  }
  expected.push_back(std::string(kBlock - 1 - bytes.size(), 'z'));
  bytes += expected.back() + "\r\x1a";
  ASSERT_EQ(bytes.size(), kBlock + 1);
  EXPECT_EQ(readAll(bytes), expected);
}

TEST_F(TextFilesTest, InputIsReadInLargeBlocks) {
  std::string bytes;
  for (int i = 0; i < 100000; ++i) bytes += "line " + std::to_string(i) + "\r\n";
  tmp.write("big.txt", bytes);
  test::FaultyFileSystem counting(0);
  TextFiles countedFiles(counting, drives);
  countedFiles.openFile("D:\\big.txt", FileMode::Input, 1);
  int lines = 0;
  while (!countedFiles.atEnd(1)) {
    countedFiles.readLine(1);
    ++lines;
  }
  EXPECT_EQ(lines, 100000);
  EXPECT_LE(counting.reads(), int(bytes.size() / 32768) + 2);
}

TEST_F(TextFilesTest, LineLengthLimit) {
  EXPECT_EQ(readAll(std::string(32767, 'x') + "\r\n"), Lines{std::string(32767, 'x')});
  // NUL bytes do not count towards the length.
  EXPECT_EQ(readAll(std::string(32767, 'x') + std::string(5, '\0')), Lines{std::string(32767, 'x')});
  tmp.write("long.txt", std::string(32768, 'x'));
  files.openFile("D:\\long.txt", FileMode::Input, 1);
  EXPECT_EQ(codeOf([&] { files.readLine(1); }), err::kStringTooLong);
}

TEST_F(TextFilesTest, WritingEndsTheFileWithTheEndMark) {
  files.openFile("D:\\out.txt", FileMode::Output, 1);
  files.writeLine(1, "A");
  files.writeLine(1, std::string("\x1a\n\0B", 4));
  files.closeFiles();
  EXPECT_EQ(tmp.read("out.txt"), std::string("A\r\n\x1a\n\0B\r\n\x1a", 10));

  files.openFile("D:\\none.txt", FileMode::Output, 1);
  files.closeFiles({1});
  EXPECT_EQ(tmp.read("none.txt"), "\x1a");
}

TEST_F(TextFilesTest, LargeOutputIsWrittenWhole) {
  std::string expected;
  files.openFile("D:\\big.txt", FileMode::Output, 1);
  for (int i = 0; i < 50000; ++i) {
    const std::string line = std::string(size_t(i % 97), char('A' + i % 26)) + std::to_string(i);
    files.writeLine(1, line);
    expected += line + "\r\n";
  }
  files.writeLine(1, std::string(200000, 'w'));
  expected += std::string(200000, 'w') + "\r\n\x1a";
  files.closeFiles();
  EXPECT_EQ(tmp.read("big.txt"), expected);
}

TEST_F(TextFilesTest, AppendReplacesTheEndMark) {
  files.openFile("D:\\log.txt", FileMode::Output, 1);
  files.writeLine(1, "A");
  files.writeLine(1, "B");
  files.closeFiles();
  files.openFile("D:\\log.txt", FileMode::Append, 1);
  files.writeLine(1, "C");
  files.closeFiles();
  EXPECT_EQ(tmp.read("log.txt"), "A\r\nB\r\nC\r\n\x1a");
  files.openFile("D:\\log.txt", FileMode::Append, 1);
  files.closeFiles();
  EXPECT_EQ(tmp.read("log.txt"), "A\r\nB\r\nC\r\n\x1a");

  // A file without an end mark keeps its last byte.
  tmp.write("plain.txt", "X");
  files.openFile("D:\\plain.txt", FileMode::Append, 1);
  files.writeLine(1, "Y");
  files.closeFiles();
  EXPECT_EQ(tmp.read("plain.txt"), "XY\r\n\x1a");

  files.openFile("D:\\new.txt", FileMode::Append, 1);
  files.closeFiles();
  EXPECT_EQ(tmp.read("new.txt"), "\x1a");
}

TEST_F(TextFilesTest, AbandonedFilesKeepTheirLinesWithoutEndMark) {
  files.openFile("D:\\cut.txt", FileMode::Output, 1);
  files.writeLine(1, "A");
  files.abandonFiles();
  EXPECT_EQ(tmp.read("cut.txt"), "A\r\n");
  EXPECT_EQ(codeOf([&] { files.writeLine(1, "B"); }), err::kFileNotOpen);
}

TEST_F(TextFilesTest, FileNumberAndModeErrors) {
  tmp.write("in.txt", "A\r\n");
  EXPECT_EQ(codeOf([&] { files.openFile("D:\\in.txt", FileMode::Input, 0); }), err::kBadFileNumber);
  EXPECT_EQ(codeOf([&] { files.openFile("D:\\in.txt", FileMode::Input, 256); }), err::kBadFileNumber);
  EXPECT_EQ(codeOf([&] { files.readLine(256); }), err::kBadFileNumber);
  EXPECT_EQ(codeOf([&] { files.readLine(1); }), err::kFileNotOpen);
  EXPECT_EQ(codeOf([&] { files.closeFiles({0}); }), err::kBadFileNumber);
  files.closeFiles({7});  // not open: nothing happens

  files.openFile("D:\\in.txt", FileMode::Input, 255);
  EXPECT_EQ(codeOf([&] { files.openFile("D:\\in.txt", FileMode::Input, 255); }), err::kFileAlreadyOpen);
  EXPECT_EQ(codeOf([&] { files.writeLine(255, "x"); }), err::kBadFileMode);
  files.openFile("D:\\out.txt", FileMode::Output, 1);
  EXPECT_EQ(codeOf([&] { files.readLine(1); }), err::kBadFileMode);
  EXPECT_EQ(codeOf([&] { files.atEnd(1); }), err::kBadFileMode);
  files.closeFiles();
  EXPECT_EQ(codeOf([&] { files.atEnd(255); }), err::kFileNotOpen);
}

TEST_F(TextFilesTest, RefusedOpens) {
  EXPECT_EQ(codeOf([&] { files.openFile("D:\\missing.txt", FileMode::Input, 1); }), err::kFileNotFound);
  EXPECT_EQ(codeOf([&] { files.openFile("D:\\no\\such.txt", FileMode::Input, 1); }), err::kFileNotFound);
  EXPECT_EQ(codeOf([&] { files.openFile("D:\\no\\such.txt", FileMode::Output, 1); }), err::kFileNotFound);
  tmp.write("there.txt", "old");
  EXPECT_EQ(codeOf([&] { files.openFile("D:\\there.txt", FileMode::Output, 1); }), err::kFileExists);
  EXPECT_EQ(tmp.read("there.txt"), "old");
  EXPECT_EQ(codeOf([&] { files.openFile("D:\\*.txt", FileMode::Input, 1); }), err::kBadFileName);
  EXPECT_EQ(codeOf([&] { files.openFile("D:\\" + std::string(258, 'n'), FileMode::Output, 1); }),
            err::kBadFileName);
  mkdir((tmp / "folder").c_str(), 0777);
  EXPECT_EQ(codeOf([&] { files.openFile("D:\\folder", FileMode::Input, 1); }), err::kAccessDenied);
  EXPECT_EQ(codeOf([&] { files.openFile("X:\\a.txt", FileMode::Input, 1); }), err::kDriveNotReady);
}

TEST_F(TextFilesTest, WriteFailingForLackOfSpace) {
  test::FaultyFileSystem full(100000);
  TextFiles fullFiles(full, drives);
  fullFiles.openFile("D:\\full.txt", FileMode::Output, 1);
  const std::string line(98, 'x');
  int code = 0;
  try {
    for (int i = 0; i < 10000; ++i) fullFiles.writeLine(1, line);
    fullFiles.closeFiles();
  } catch (const RuntimeError& e) {
    code = e.errorCode;
  }
  EXPECT_EQ(code, err::kDiskFull);
  fullFiles.abandonFiles();
  // What stays in the file ends with a complete line.
  const std::string kept = tmp.read("full.txt");
  EXPECT_LE(kept.size(), 100000u);
  EXPECT_EQ(kept.size() % 100, 0u);
}

TEST_F(TextFilesTest, EndMarkFailingForLackOfSpace) {
  test::FaultyFileSystem full(6);
  TextFiles fullFiles(full, drives);
  fullFiles.openFile("D:\\full.txt", FileMode::Output, 1);
  fullFiles.writeLine(1, "AB");
  fullFiles.writeLine(1, "C");
  tmp.write("in.txt", "x");
  fullFiles.openFile("D:\\in.txt", FileMode::Input, 2);
  EXPECT_EQ(codeOf([&] { fullFiles.closeFiles(); }), err::kDiskFull);
  // Every channel is closed all the same, and the file holds no part of a line.
  EXPECT_EQ(codeOf([&] { fullFiles.writeLine(1, "D"); }), err::kFileNotOpen);
  EXPECT_EQ(codeOf([&] { fullFiles.atEnd(2); }), err::kFileNotOpen);
  EXPECT_EQ(tmp.read("full.txt"), "");
}

// A file-size limit makes the kernel refuse the write with EFBIG.
TEST_F(TextFilesTest, WriteFailingAtTheFileSizeLimit) {
  struct rlimit old;
  getrlimit(RLIMIT_FSIZE, &old);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limited = old;
  limited.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  int code = 0;
  try {
    files.openFile("D:\\limited.txt", FileMode::Output, 1);
    for (int i = 0; i < 100000; ++i) files.writeLine(1, "0123456789");
    files.closeFiles();
  } catch (const RuntimeError& e) {
    code = e.errorCode;
  }
  files.abandonFiles();
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(code, err::kDiskFull);
}

TEST_F(TextFilesTest, FileAndFolderExistence) {
  mkdir((tmp / "folder").c_str(), 0777);
  tmp.write("file", "");
  mkfifo((tmp / "fifo").c_str(), 0666);
  EXPECT_FALSE(files.regularFileExists("D:\\folder"));
  EXPECT_TRUE(files.folderExists("D:\\folder"));
  EXPECT_TRUE(files.regularFileExists("D:\\file"));
  EXPECT_FALSE(files.folderExists("D:\\file"));
  EXPECT_FALSE(files.regularFileExists("D:\\fifo"));
  EXPECT_FALSE(files.folderExists("D:\\fifo"));
  EXPECT_FALSE(files.regularFileExists("D:\\nothing"));
  EXPECT_FALSE(files.folderExists("D:\\nothing\\deeper"));
  EXPECT_FALSE(files.folderExists("X:\\"));
  EXPECT_EQ(codeOf([&] { files.folderExists("D:\\*"); }), err::kBadFileName);
}

TEST_F(TextFilesTest, MakeAndChangeFolder) {
  files.makeFolder("D:\\new");
  EXPECT_TRUE(files.folderExists("D:\\new"));
  EXPECT_EQ(codeOf([&] { files.makeFolder("D:\\new"); }), err::kFileExists);
  EXPECT_EQ(codeOf([&] { files.makeFolder("D:\\none\\new"); }), err::kFileNotFound);
  EXPECT_EQ(codeOf([&] { files.makeFolder("D:\\" + std::string(258, 'n')); }), err::kBadArgument);
  EXPECT_EQ(codeOf([&] { files.makeFolder("X:\\new"); }), err::kDriveNotReady);

  files.changeFolder("D:\\new\\");
  EXPECT_EQ(files.currentFolder(""), "D:\\new");
  EXPECT_EQ(files.currentFolder("d:"), "D:\\new");
  // Relative names now start in D:\new.
  files.openFile("made.txt", FileMode::Output, 1);
  files.closeFiles();
  EXPECT_EQ(tmp.read("new/made.txt"), "\x1a");
  files.changeFolder("..");
  EXPECT_EQ(files.currentFolder(""), "D:\\");
  EXPECT_EQ(codeOf([&] { files.changeFolder("D:\\gone"); }), err::kFileNotFound);
  EXPECT_EQ(codeOf([&] { files.changeFolder("X:\\"); }), err::kDriveNotReady);
  EXPECT_EQ(codeOf([&] { files.changeFolder("D:\\" + std::string(258, 'n')); }), err::kBadArgument);
}

TEST_F(TextFilesTest, CurrentFolderOfADrive) {
  EXPECT_EQ(files.currentFolder("D:"), "D:\\");
  EXPECT_EQ(codeOf([&] { files.currentFolder("D:\\"); }), err::kBadArgument);
  EXPECT_EQ(codeOf([&] { files.currentFolder("1:"); }), err::kBadArgument);
  EXPECT_EQ(codeOf([&] { files.currentFolder("X:"); }), err::kDriveNotReady);
  drives.addDrive('y', tmp / "not-there");
  EXPECT_EQ(codeOf([&] { files.currentFolder("Y:"); }), err::kDriveNotReady);
}

TEST_F(TextFilesTest, FolderEntries) {
  for (const char* name : {"b", "A", ".hidden", "ソ表", "c"}) mkdir((tmp / name).c_str(), 0777);
  mkdir((tmp / "b/inner").c_str(), 0777);
  tmp.write("file.txt", "");
  mkdir((tmp / "yen\xC2\xA5").c_str(), 0777);      // U+00A5 would turn into a backslash
  mkdir((tmp / "wave\xE3\x80\x9C").c_str(), 0777);  // U+301C is Shift-JIS's U+FF5E
  mkdir((tmp / "back\\slash").c_str(), 0777);
  EXPECT_EQ(files.folderEntries("D:\\"),
            (Lines{"[A]", "[b]", "[c]", "[wave" + sjis("～") + "]", "[" + sjis("ソ表") + "]"}));
  EXPECT_EQ(files.folderEntries("D:\\b\\"), (Lines{"[..]", "[inner]"}));
  EXPECT_EQ(files.folderEntries("D:\\\\b\\inner"), (Lines{"[..]"}));
  EXPECT_EQ(files.driveEntries(), (Lines{"[-c-]", "[-d-]"}));
  EXPECT_EQ(codeOf([&] { files.folderEntries(""); }), err::kBadArgument);
  EXPECT_EQ(codeOf([&] { files.folderEntries("D:\\none"); }), err::kFileNotFound);
}

TEST(SplitPath, Parts) {
  auto parts = [](std::string_view p) {
    PathParts s = splitPath(p);
    return std::vector<SjisString>{s.drive, s.folder, s.name, s.extension};
  };
  EXPECT_EQ(parts("C:\\DATA\\SALES.2010.CSV"), (Lines{"C:", "\\DATA\\", "SALES.2010", ".CSV"}));
  EXPECT_EQ(parts("SALES"), (Lines{"", "", "SALES", ""}));
  EXPECT_EQ(parts("c:NAME.TXT"), (Lines{"c:", "", "NAME", ".TXT"}));
  EXPECT_EQ(parts("C:\\A.B\\C"), (Lines{"C:", "\\A.B\\", "C", ""}));
  EXPECT_EQ(parts("\\\\server\\share\\x\\y.csv"), (Lines{"\\\\server\\share", "\\x\\", "y", ".csv"}));
  // ソ and 表 end in the byte 0x5C, which is no separator there.
  const SjisString so = sjis("ソ"), hyo = sjis("表");
  ASSERT_EQ(so[1], '\\');
  EXPECT_EQ(parts("C:\\" + so + "\\" + hyo + ".CSV"), (Lines{"C:", "\\" + so + "\\", hyo, ".CSV"}));
  EXPECT_EQ(parts("C:\\" + hyo), (Lines{"C:", "\\", hyo, ""}));
}

}  // namespace
}  // namespace headly
